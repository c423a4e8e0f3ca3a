#include "app/frmMain.h"

#include "app/AboutText.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/HelpWindow.h"
#include "app/KeyStates.h"
#include "app/ToolWindow.h"
#include "app/WindowRegistry.h"
#include "app/frmAbout.h"
#include "app/frmOptions.h"
#include "app/frmSplash.h"
#include "dialogs/MessageBoxes.h"
#include "maintenance/DatabaseStartup.h"
#include "maintenance/Reminder.h"
#include "types/DateText.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

frmMain* theMainWindow = nullptr;
int startupWaitMs = 3000;

constexpr int MinimumWidth = 640;
constexpr int MinimumHeight = 480;
// A status message stays until a tick finds more than this many whole seconds passed.
constexpr qint64 StatusSeconds = 5;

// The toolbar, in order; an empty key is a separator.
struct ButtonInfo {
    const char* key;
    const char* toolTip;
};
constexpr ButtonInfo Buttons[] = {
    {"Inventory", "Update home inventory"},
    {"Collections", "Manage collections"},
    {"Search", "Search for items"},
    {"", ""},
    {"CopyItem", "Copy selected grid item"},
    {"CopyGrid", "Copy entire grid"},
    {"", ""},
    {"Sort", "Choose sort field for grid"},
    {"MoveLocation", "Move items from one location to another"},
    {"", ""},
    {"Reports", "Reports"},
    {"Graphs", "Graphs"},
};

// The Tools menu command of each tool window's key.
QString toolsMenuItem(const QString& key) {
    return QStringLiteral("mnuTools_") + key;
}

bool isToolWindowKey(const QString& key) {
    static const QStringList keys = {QStringLiteral("Inventory"), QStringLiteral("Collections"),
                                     QStringLiteral("Search"), QStringLiteral("Reports"),
                                     QStringLiteral("Graphs")};
    return keys.contains(key);
}

// Commands whose windows are added later; each stays disabled until its command is registered.
const QStringList& waitingCommands() {
    static const QStringList names = {
        QStringLiteral("mnuFile_Export"),    QStringLiteral("mnuFile_Backup"),
        QStringLiteral("mnuFile_Restore"),   QStringLiteral("mnuFile_Compact"),
        QStringLiteral("mnuEdit_ItemTypes"), QStringLiteral("mnuEdit_Locations"),
    };
    return names;
}

Reminder::Kind reminderKind(const char* what) {
    return qstrcmp(what, "compact") == 0 ? Reminder::Kind::Compact : Reminder::Kind::Backup;
}

// A start-up failure: the program ends after the user has read why.
void showStartupFailure(const QString& text) {
    MsgBox(nullptr, text, QMessageBox::Ok, QMessageBox::Critical, General::GetAppTitle());
}

} // namespace

frmMain::frmMain(const QString& dataFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_dataFolder(dataFolder) {
    Q_ASSERT(!theMainWindow);
    theMainWindow = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(General::GetAppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/Domivo.svg")));
    setMinimumSize(MinimumWidth, MinimumHeight);
    resize(900, 640);

    m_splash = new frmSplash(this);
    m_splash->setParent(nullptr, m_splash->windowFlags());

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdiArea->installEventFilter(this);
    setCentralWidget(m_mdiArea);

    createMenus();
    createToolbar();
    createStatusBar();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("timMain"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &frmMain::timMain_Timer);
    m_timer->start();

    // The Insert key's mode is the program's own; it is followed in every window.
    qApp->installEventFilter(this);

    registerWindows(*this);
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
    if (m_help)
        delete m_help;
    delete m_splash;
    if (!m_ended)
        gData.reset();
    theMainWindow = nullptr;
}

frmMain* frmMain::instance() {
    return theMainWindow;
}

void frmMain::setStartupWaitForTesting(int milliseconds) {
    startupWaitMs = milliseconds;
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

std::optional<int> frmMain::MDIForm_Load() {
    const QDateTime start = QDateTime::currentDateTime();

    m_splash->show();
    m_splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    gData = std::make_unique<dvData>();
    const QString file = AppPaths::databaseFile(m_dataFolder);
    const DatabaseStartup::Result opened = DatabaseStartup::open(*gData, file);
    if (opened.outcome == DatabaseStartup::Outcome::NotValid) {
        m_splash->hide();
        const auto answer = MsgBox(
            nullptr,
            QStringLiteral("Your ") + General::GetAppTitle() +
                QStringLiteral(" database is not valid.  Click YES to build a new "
                               "database or NO to exit the program"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Critical, General::GetAppTitle());
        if (answer != QMessageBox::Yes) {
            gData.reset();
            return 0;
        }
        int exitCode = 0;
        if (!rebuildDatabase(exitCode)) {
            gData.reset();
            return exitCode;
        }
        m_splash->show();
    } else if (opened.outcome == DatabaseStartup::Outcome::Failed) {
        // In use, unreadable, damaged: the file stays exactly as it is and nothing is offered
        // that would replace it.
        m_splash->hide();
        showStartupFailure(
            opened.message +
            QStringLiteral("\n\nThe database was left as it is; the program ends now."));
        gData.reset();
        return 1;
    }

    gHelpFile = AppPaths::findInstalledFile(QStringLiteral("Domivo.qch"));
    LoadToolbarImages();
    setWindowTitle(General::GetAppTitle());

    // The splash stays up until three second boundaries have passed since the start. Only the
    // splash is on screen meanwhile, so a key press or click can close it early and nothing
    // else can run.
    const qint64 startSecond = start.toMSecsSinceEpoch() / 1000;
    const qint64 waitUntil = startupWaitMs >= 3000 ? (startSecond + startupWaitMs / 1000) * 1000
                                                   : start.toMSecsSinceEpoch() + startupWaitMs;
    const qint64 remaining = waitUntil - QDateTime::currentMSecsSinceEpoch();
    if (remaining > 0) {
        QEventLoop wait;
        QTimer::singleShot(int(remaining), &wait, &QEventLoop::quit);
        wait.exec();
    }
    m_splash->hide();

    show();
    if (hasToolWindow(QStringLiteral("Inventory")))
        tlbMain_ButtonClick(QStringLiteral("Inventory"));

    remind("compact");
    remind("backup");
    return std::nullopt;
}

bool frmMain::rebuildDatabase(int& exitCode) {
    const DatabaseStartup::Result rebuilt = DatabaseStartup::rebuild(*gData);
    if (rebuilt.outcome == DatabaseStartup::Outcome::Ready)
        return true;
    showStartupFailure(rebuilt.message);
    exitCode = 1;
    return false;
}

void frmMain::remind(const char* what) {
    const Reminder::Kind kind = reminderKind(what);
    const auto days = Reminder::dueDays(kind);
    if (!days)
        return;
    const auto answer =
        MsgBox(this, Reminder::text(kind, *days), QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Question, General::GetAppTitle());
    const QString command = kind == Reminder::Kind::Compact ? QStringLiteral("mnuFile_Compact")
                                                            : QStringLiteral("mnuFile_Backup");
    if (answer == QMessageBox::Yes && hasCommand(command))
        runMenuCommand(command);
}

void frmMain::closeEvent(QCloseEvent* event) {
    MDIForm_Unload();
    event->accept();
}

void frmMain::MDIForm_Unload() {
    if (m_ended)
        return;
    m_ended = true;
    m_timer->stop();
    gData.reset();
    if (m_help)
        m_help->close();
    m_splash->hide();
    emit ended();
}

// ---------------------------------------------------------------------------------------------
// Menus, toolbar, status bar

void frmMain::createMenus() {
    QMenuBar* bar = menuBar();
    const auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    const auto item = [&](QMenu* m, const char* name, const QString& caption,
                          const QKeySequence& shortcut = QKeySequence()) {
        QAction* action = m->addAction(caption);
        action->setParent(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        m_menuItems.insert(QLatin1String(name), action);
        const QString key = QLatin1String(name);
        connect(action, &QAction::triggered, this, [this, key] { menuCommand(key); });
        return action;
    };
    const auto separator = [&](QMenu* m, const char* name) {
        m->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu* file = menu("mnuFile", QStringLiteral("&File"));
    item(file, "XXXXXXXX", QStringLiteral("TEST"))->setVisible(false);
    item(file, "mnuFile_Export", QStringLiteral("&Export..."));
    separator(file, "mnuFile_Sep1");
    QMenu* backupRestore = file->addMenu(QStringLiteral("&Backup/Restore"));
    backupRestore->setObjectName(QStringLiteral("mnuFile_BackupRestore"));
    backupRestore->menuAction()->setObjectName(QStringLiteral("mnuFile_BackupRestore"));
    m_menuItems.insert(QStringLiteral("mnuFile_BackupRestore"), backupRestore->menuAction());
    item(backupRestore, "mnuFile_Backup", QStringLiteral("&Backup database..."));
    item(backupRestore, "mnuFile_Restore", QStringLiteral("&Restore a backup file..."));
    item(file, "mnuFile_Compact", QStringLiteral("&Compact Database..."));
    separator(file, "mnuFile_Sep2");
    item(file, "mnuFile_Exit", QStringLiteral("E&xit"));

    QMenu* edit = menu("mnuEdit", QStringLiteral("&Edit"));
    item(edit, "mnuEdit_New", QStringLiteral("&New Item..."), QKeySequence(Qt::CTRL | Qt::Key_N));
    item(edit, "mnuEdit_Edit", QStringLiteral("&Edit Item..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    item(edit, "mnuEdit_Delete", QStringLiteral("&Delete Item..."),
         QKeySequence(Qt::CTRL | Qt::Key_D));
    separator(edit, "mnuEdit_Sep1");
    item(edit, "mnuEdit_Copy", QStringLiteral("&Copy Item"), QKeySequence(Qt::CTRL | Qt::Key_C));
    item(edit, "mnuEdit_CopyGrid", QStringLiteral("Copy &Grid"),
         QKeySequence(Qt::CTRL | Qt::Key_G));
    item(edit, "mnuEdit_MoveLocation", QStringLiteral("&Move Location..."),
         QKeySequence(Qt::CTRL | Qt::Key_M));
    separator(edit, "mnuEdit_Sep2");
    item(edit, "mnuEdit_ItemTypes", QStringLiteral("&Item Types..."));
    item(edit, "mnuEdit_Locations", QStringLiteral("&Locations..."));
    for (const char* name : {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy",
                             "mnuEdit_CopyGrid", "mnuEdit_MoveLocation"})
        setMenuItemEnabled(QLatin1String(name), false);

    QMenu* tools = menu("mnuTools", QStringLiteral("&Tools"));
    item(tools, "mnuTools_Inventory", QStringLiteral("Home &Inventory..."));
    item(tools, "mnuTools_Collections", QStringLiteral("&Collections..."));
    separator(tools, "mnuTools_Sep1");
    item(tools, "mnuTools_Search", QStringLiteral("&Search..."));
    separator(tools, "mnuTools_Sep2");
    item(tools, "mnuTools_Reports", QStringLiteral("&Reports..."));
    item(tools, "mnuTools_Graphs", QStringLiteral("&Graphs..."));
    separator(tools, "mnuTools_Sep3");
    item(tools, "mnuTools_Options", QStringLiteral("&Options..."));

    QMenu* help = menu("mnuHelp", QStringLiteral("&Help"));
    item(help, "mnuHelp_Contents", QStringLiteral("&Contents"));
    item(help, "mnuHelp_Index", QStringLiteral("&Index"));
    item(help, "mnuHelp_Search", QStringLiteral("&Search..."));
    separator(help, "mnuHelp_Sep1");
    item(help, "mnuHelp_QeltoWebSite", QStringLiteral("&Qelto Web Site..."));
    separator(help, "mnuHelp_Sep2");
    item(help, "mnuHelp_About", QStringLiteral("&About..."));

    // Windows that come with later work: present, and disabled until they are registered.
    for (const QString& name : waitingCommands())
        setMenuItemEnabled(name, false);
    for (const char* key : {"Inventory", "Collections", "Search", "Reports", "Graphs"})
        setMenuItemEnabled(toolsMenuItem(QLatin1String(key)), false);
}

void frmMain::createToolbar() {
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("tlbMain"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(22, 22));
    for (const ButtonInfo& info : Buttons) {
        const QString key = QLatin1String(info.key);
        if (key.isEmpty()) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction* button = m_toolbar->addAction(key);
        button->setObjectName(QStringLiteral("tlbMain_") + key);
        button->setProperty("key", key);
        button->setToolTip(QLatin1String(info.toolTip));
        button->setText(QLatin1String(info.toolTip));
        m_toolbar->widgetForAction(button)->setObjectName(QStringLiteral("tlbMain_") + key);
        m_buttons.insert(key, button);
        connect(button, &QAction::triggered, this, [this, key] { tlbMain_ButtonClick(key); });
    }
    // The tool windows switch these on when they apply; the window buttons wait for their
    // windows.
    for (const char* key : {"CopyItem", "CopyGrid", "MoveLocation", "Sort", "Inventory",
                            "Collections", "Search", "Reports", "Graphs"})
        setToolbarButtonEnabled(QLatin1String(key), false);
}

void frmMain::LoadToolbarImages() {
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        QIcon icon;
        icon.addFile(QStringLiteral(":/icons/%1.svg").arg(it.key()), QSize(), QIcon::Normal);
        icon.addFile(QStringLiteral(":/icons/%1-disabled.svg").arg(it.key()), QSize(),
                     QIcon::Disabled);
        it.value()->setIcon(icon);
    }
}

void frmMain::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("stbMain"));
    bar->setSizeGripEnabled(false);
    const char* names[6] = {"stbMain_Message", "stbMain_CapsLock",   "stbMain_NumLock",
                            "stbMain_Insert",  "stbMain_ScrollLock", "stbMain_Date"};
    for (int panel = 0; panel < 6; ++panel) {
        auto* label = new QLabel(bar);
        label->setObjectName(QLatin1String(names[panel]));
        label->setProperty("panel", panel + 1);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(panel == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        bar->addWidget(label);
        m_panels[panel] = label;
    }
    m_panels[1]->setText(QStringLiteral("CAPS"));
    m_panels[2]->setText(QStringLiteral("NUM"));
    m_panels[3]->setText(QStringLiteral("INS"));
    m_panels[4]->setText(QStringLiteral("SCRL"));
    bar->installEventFilter(this);
    updateKeyPanels();
}

void frmMain::sizeStatusPanels() {
    QStatusBar* bar = statusBar();
    // What the bar keeps for its own margins and the gaps between panels.
    const int width = std::max(0, bar->width() - 6 * 4 - 8);
    const double shares[6] = {0.50, 0.09, 0.09, 0.09, 0.09, 0.14};
    for (int panel = 0; panel < 6; ++panel)
        m_panels[panel]->setFixedWidth(int(width * shares[panel]));
}

void frmMain::updateKeyPanels() {
    const KeyStates::Locks locks = KeyStates::read();
    const auto light = [](QLabel* panel, std::optional<bool> on) {
        panel->setEnabled(on.value_or(false));
        panel->setToolTip(on ? QString() : QStringLiteral("Not known on this display"));
    };
    light(m_panels[1], locks.capsLock);
    light(m_panels[2], locks.numLock);
    m_panels[3]->setEnabled(m_insertMode);
    light(m_panels[4], locks.scrollLock);
    m_panels[5]->setText(DateText::shortDate(Clock::today()));
}

void frmMain::ShowStatus(const QString& text) {
    m_panels[0]->setText(text);
    m_statusTime = Clock::now();
}

QString frmMain::statusText() const {
    return m_panels[0]->text();
}

void frmMain::timMain_Timer() {
    const QDateTime now = Clock::now();
    const qint64 seconds = now.toMSecsSinceEpoch() / 1000 - m_statusTime.toMSecsSinceEpoch() / 1000;
    if (m_statusTime.isValid() && seconds > StatusSeconds)
        ShowStatus(QString());
    updateKeyPanels();
}

QAction* frmMain::menuItem(const QString& name) const {
    return m_menuItems.value(name);
}

QAction* frmMain::toolbarButton(const QString& key) const {
    return m_buttons.value(key);
}

void frmMain::setMenuItemEnabled(const QString& name, bool enabled) {
    if (QAction* action = menuItem(name))
        action->setEnabled(enabled);
}

void frmMain::setMenuItemVisible(const QString& name, bool visible) {
    if (QAction* action = menuItem(name))
        action->setVisible(visible);
}

void frmMain::setToolbarButtonEnabled(const QString& key, bool enabled) {
    if (QAction* action = toolbarButton(key))
        action->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------
// Sizes

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void frmMain::MDIForm_Resize() {
    if (isMinimized())
        return;
    // The minimum size itself is kept by the window system through setMinimumSize.
    fitToolWindow();
    sizeStatusPanels();
}

void frmMain::fitToolWindow() {
    if (!m_subWindow || !m_toolWindow)
        return;
    m_subWindow->setGeometry(m_mdiArea->viewport()->rect());
    m_toolWindow->Form_Resize();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mdiArea && event->type() == QEvent::Resize)
        QTimer::singleShot(0, this, &frmMain::fitToolWindow);
    else if (watched == statusBar() && event->type() == QEvent::Resize)
        sizeStatusPanels();
    else if (event->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert &&
             !static_cast<QKeyEvent*>(event)->isAutoRepeat() && watched->isWidgetType() &&
             static_cast<QWidget*>(watched)->window() == QApplication::activeWindow() &&
             watched == QApplication::focusWidget()) {
        m_insertMode = !m_insertMode;
        updateKeyPanels();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Tool windows

void frmMain::registerToolWindow(const QString& key, std::function<ToolWindow*()> create,
                                 bool sortApplies) {
    m_toolWindows.insert(key, ToolWindowEntry{std::move(create), sortApplies});
    setToolbarButtonEnabled(key, true);
    setMenuItemEnabled(toolsMenuItem(key), true);
}

bool frmMain::hasToolWindow(const QString& key) const {
    return m_toolWindows.contains(key);
}

void frmMain::tlbMain_ButtonClick(const QString& key) {
    RunCommand(this, [&] {
        if (isToolWindowKey(key)) {
            const auto entry = m_toolWindows.constFind(key);
            if (entry == m_toolWindows.cend())
                return;
            setToolbarButtonEnabled(QStringLiteral("Sort"), entry->sortApplies);
            CloseToolWindows();
            showToolWindow(entry->create());
        } else if (key == QLatin1String("CopyItem")) {
            copyCommand(false);
        } else if (key == QLatin1String("CopyGrid")) {
            copyCommand(true);
        } else if (key == QLatin1String("Sort")) {
            sortCommand();
        } else if (key == QLatin1String("MoveLocation")) {
            runMenuCommand(QStringLiteral("mnuEdit_MoveLocation"));
        }
    });
}

void frmMain::showToolWindow(ToolWindow* window) {
    if (!window)
        return;
    auto* sub = new QMdiSubWindow(m_mdiArea, Qt::FramelessWindowHint);
    sub->setObjectName(QStringLiteral("mdiChild"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWidget(window);
    m_mdiArea->addSubWindow(sub);
    m_subWindow = sub;
    m_toolWindow = window;
    sub->setGeometry(m_mdiArea->viewport()->rect());
    sub->show();
    window->Form_Load();
    fitToolWindow();
}

void frmMain::CloseToolWindows() {
    if (!m_toolWindow)
        return;
    ToolWindow* window = m_toolWindow;
    QMdiSubWindow* sub = m_subWindow;
    m_toolWindow = nullptr;
    m_subWindow = nullptr;
    window->hide();
    window->Form_Unload();
    if (sub) {
        m_mdiArea->removeSubWindow(sub);
        sub->hide();
        // The window may be the one whose code asked for the switch.
        sub->deleteLater();
    } else {
        window->deleteLater();
    }
}

ToolWindow* frmMain::toolWindow() const {
    return m_toolWindow;
}

ToolWindow* frmMain::toolWindow(const QString& formName) const {
    if (m_toolWindow && m_toolWindow->formName() == formName)
        return m_toolWindow;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Commands

void frmMain::registerCommand(const QString& menuItem, std::function<void()> handler) {
    m_commands.insert(menuItem, std::move(handler));
    if (waitingCommands().contains(menuItem))
        setMenuItemEnabled(menuItem, true);
}

bool frmMain::hasCommand(const QString& menuItem) const {
    return m_commands.contains(menuItem);
}

void frmMain::runMenuCommand(const QString& menuItem) {
    menuCommand(menuItem);
}

void frmMain::menuCommand(const QString& name) {
    RunCommand(this, [&] {
        if (name == QLatin1String("XXXXXXXX")) {
            m_splash->show();
        } else if (name == QLatin1String("mnuFile_Exit")) {
            close();
        } else if (name == QLatin1String("mnuEdit_New") || name == QLatin1String("mnuEdit_Edit") ||
                   name == QLatin1String("mnuEdit_Delete")) {
            forwardItemCommand(name);
        } else if (name == QLatin1String("mnuEdit_Copy")) {
            copyCommand(false);
        } else if (name == QLatin1String("mnuEdit_CopyGrid")) {
            copyCommand(true);
        } else if (name.startsWith(QLatin1String("mnuTools_")) && isToolWindowKey(name.mid(9))) {
            tlbMain_ButtonClick(name.mid(9));
        } else if (name == QLatin1String("mnuTools_Options")) {
            showOptions();
        } else if (name == QLatin1String("mnuHelp_Contents")) {
            showHelp(int(HelpWindow::Tab::Contents));
        } else if (name == QLatin1String("mnuHelp_Index")) {
            showHelp(int(HelpWindow::Tab::Index));
        } else if (name == QLatin1String("mnuHelp_Search")) {
            showHelp(int(HelpWindow::Tab::Search));
        } else if (name == QLatin1String("mnuHelp_QeltoWebSite")) {
            openWebSite();
        } else if (name == QLatin1String("mnuHelp_About")) {
            showAbout();
        } else if (const auto command = m_commands.constFind(name); command != m_commands.cend()) {
            (*command)();
        }
    });
}

void frmMain::forwardItemCommand(const QString& name) {
    ToolWindow* window = toolWindow(gCurrentWindow);
    if (!window)
        return;
    if (name == QLatin1String("mnuEdit_New"))
        window->cmdNew_Click();
    else if (name == QLatin1String("mnuEdit_Edit"))
        window->cmdEdit_Click();
    else
        window->cmdDelete_Click();
}

void frmMain::copyCommand(bool wholeGrid) {
    ToolWindow* window = toolWindow(gCurrentWindow);
    GridView* grid = window ? window->grid() : nullptr;
    if (!grid)
        return;
    if (wholeGrid)
        CopyGrid(grid);
    else
        CopySelectedRow(grid);
}

void frmMain::sortCommand() {
    QString text;
    if (gCurrentWindow == QLatin1String("frmInventory"))
        text = QStringLiteral("Inventory sort");
    else if (gCurrentWindow == QLatin1String("frmCollections"))
        text = QStringLiteral("Collection sort");
    else if (gCurrentWindow == QLatin1String("frmSearch"))
        text = QStringLiteral("Search sort");
    if (!text.isEmpty())
        MsgBox(this, text, QMessageBox::Ok, QMessageBox::NoIcon, General::GetAppTitle());
}

void frmMain::showHelp(int tab) {
    if (gHelpFile.isEmpty() || !QFileInfo::exists(gHelpFile)) {
        MsgBox(this, QStringLiteral("Cannot find help file."), QMessageBox::Ok,
               QMessageBox::Critical, General::GetAppTitle() + QStringLiteral(" Help"));
        return;
    }
    if (!m_help)
        m_help = new HelpWindow(gHelpFile);
    if (!m_help->isReady()) {
        const QString error = m_help->errorText();
        delete m_help;
        MsgBox(this, error, QMessageBox::Ok, QMessageBox::Critical,
               General::GetAppTitle() + QStringLiteral(" Help"));
        return;
    }
    m_help->showTab(HelpWindow::Tab(tab));
}

void frmMain::openWebSite() {
    const QUrl page(AboutText::webSite());
    if (!QDesktopServices::openUrl(page))
        ShowStatus(QStringLiteral("Cannot open the web page %1.").arg(page.toString()));
}

void frmMain::showOptions() {
    frmOptions options(this);
    options.exec();
}

void frmMain::showAbout() {
    frmAbout about(this);
    about.exec();
}

HelpWindow* frmMain::helpWindow() const {
    return m_help;
}
