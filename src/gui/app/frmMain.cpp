#include "app/frmMain.h"

#include "app/AboutText.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/CommandNames.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/HelpWindow.h"
#include "app/KeyStates.h"
#include "app/Settings.h"
#include "app/ToolWindow.h"
#include "app/WindowPlacement.h"
#include "app/WindowRegistry.h"
#include "app/frmAbout.h"
#include "app/frmOptions.h"
#include "app/frmSplash.h"
#include "data/DataChanges.h"
#include "data/DbError.h"
#include "dialogs/MessageBoxes.h"
#include "insurance/WarrantyReminder.h"
#include "maintenance/DatabaseStartup.h"
#include "maintenance/Reminder.h"
#include "records/GridPrefetch.h"
#include "records/Inventory.h"
#include "records/invItem.h"
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
#include <QScopeGuard>
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
    QLatin1String key;
    const char* toolTip;
};
constexpr ButtonInfo Buttons[] = {
    {ToolbarButton::Inventory, "Update home inventory"},
    {ToolbarButton::Collections, "Manage collections"},
    {ToolbarButton::Search, "Search for items"},
    {QLatin1String(), ""},
    {ToolbarButton::CopyItem, "Copy selected grid item"},
    {ToolbarButton::CopyGrid, "Copy entire grid"},
    {QLatin1String(), ""},
    {ToolbarButton::Sort, "Choose sort field for grid"},
    {ToolbarButton::MoveLocation, "Move items from one location to another"},
    {QLatin1String(), ""},
    {ToolbarButton::Reports, "Reports"},
    {ToolbarButton::Graphs, "Graphs"},
};

// A command name the main window does not know is a programming error (a name spelt by hand
// instead of taken from CommandNames.h): a debug build stops at once.
void unknownCommand(const char* kind, const QString& name) {
    Q_ASSERT_X(false, "frmMain", qPrintable(QStringLiteral("unknown command name ") + name));
    qWarning("frmMain: there is no %s named \"%s\"", kind, qPrintable(name));
}

// The Tools menu command of each tool window's key.
QString toolsMenuItem(const QString& key) {
    return QStringLiteral("mnuTools_") + key;
}

bool isToolWindowKey(const QString& key) {
    return std::find(std::begin(ToolbarButton::ToolWindows), std::end(ToolbarButton::ToolWindows),
                     key) != std::end(ToolbarButton::ToolWindows);
}

// Commands whose windows are added later; each stays disabled until its command is registered.
constexpr QLatin1String WaitingCommands[] = {
    MenuItem::FileExport,      MenuItem::FileBackup,     MenuItem::FileRestore,
    MenuItem::FileCompact,     MenuItem::EditItemTypes,  MenuItem::EditLocations,
    MenuItem::ToolsWarranties, MenuItem::ToolsIncidents, MenuItem::ToolsCoverage,
};

bool isWaitingCommand(const QString& name) {
    return std::find(std::begin(WaitingCommands), std::end(WaitingCommands), name) !=
           std::end(WaitingCommands);
}

// The commands a tool window switches on when they apply to it; without one they are off.
constexpr QLatin1String ToolWindowMenuItems[] = {
    MenuItem::EditNew,      MenuItem::EditEdit,         MenuItem::EditDelete,   MenuItem::EditCopy,
    MenuItem::EditCopyGrid, MenuItem::EditMoveLocation, MenuItem::EditIncident,
};
constexpr QLatin1String ToolWindowButtons[] = {ToolbarButton::CopyItem, ToolbarButton::CopyGrid,
                                               ToolbarButton::MoveLocation};

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
    WindowPlacement::restore(this);

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

    // After a restore or a compact nothing the tool window shows can be trusted.
    connect(&DataChanges::instance(), &DataChanges::databaseReplaced, this,
            &frmMain::reopenToolWindow);

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

void frmMain::setSplashWait(bool wait) {
    startupWaitMs = wait ? 3000 : 0;
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

    // The inventory window opens on every item: their rows are read on a thread of their own
    // while the title window is up and the main window is built, and the window takes them as
    // it opens. Whatever is left when it has opened is dropped (and on any way out of here), so
    // that no later listing shows rows read before it.
    if (hasToolWindow(ToolbarButton::Inventory))
        GridPrefetch::start(gData->Inventory().Item(),
                            {Settings::integer(SettingKeys::RoundPrices, 0)});
    const auto dropPrefetch = qScopeGuard([] { GridPrefetch::discard(); });

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
    if (hasToolWindow(ToolbarButton::Inventory))
        tlbMain_ButtonClick(ToolbarButton::Inventory);
    // Before anything can change the database.
    GridPrefetch::discard();

    remind("compact");
    remind("backup");
    remindWarranties();
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
    const QString command =
        kind == Reminder::Kind::Compact ? MenuItem::FileCompact : MenuItem::FileBackup;
    if (answer == QMessageBox::Yes && hasCommand(command))
        runMenuCommand(command);
}

void frmMain::remindWarranties() {
    if (!hasCommand(MenuItem::ToolsWarranties) || !WarrantyReminder::isDue())
        return;
    bool expiring = false;
    RunCommand(this, [&] {
        expiring = !WarrantyReminder::expiring(*gData, WarrantyReminder::days()).isEmpty();
    });
    if (!expiring)
        return;
    // Noted before the window opens, so that a second start the same day stays quiet even
    // when this one ends with the window open.
    WarrantyReminder::noteShown();
    runMenuCommand(MenuItem::ToolsWarranties);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!m_ended)
        WindowPlacement::save(this);
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
    const auto item = [&](QMenu* m, QLatin1String name, const QString& caption,
                          const QKeySequence& shortcut = QKeySequence()) {
        QAction* action = m->addAction(caption);
        action->setParent(this);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        m_menuItems.insert(name, action);
        const QString key = name;
        connect(action, &QAction::triggered, this, [this, key] { menuCommand(key); });
        return action;
    };
    const auto separator = [&](QMenu* m, const char* name) {
        m->addSeparator()->setObjectName(QLatin1String(name));
    };
    using namespace MenuItem;

    QMenu* file = menu("mnuFile", QStringLiteral("&File"));
    item(file, Test, QStringLiteral("TEST"))->setVisible(false);
    item(file, FileExport, QStringLiteral("&Export..."));
    separator(file, "mnuFile_Sep1");
    QMenu* backupRestore = file->addMenu(QStringLiteral("&Backup/Restore"));
    backupRestore->setObjectName(FileBackupRestore);
    backupRestore->menuAction()->setObjectName(FileBackupRestore);
    m_menuItems.insert(FileBackupRestore, backupRestore->menuAction());
    item(backupRestore, FileBackup, QStringLiteral("&Backup database..."));
    item(backupRestore, FileRestore, QStringLiteral("&Restore a backup file..."));
    item(file, FileCompact, QStringLiteral("&Compact Database..."));
    separator(file, "mnuFile_Sep2");
    item(file, FileExit, QStringLiteral("E&xit"));

    QMenu* edit = menu("mnuEdit", QStringLiteral("&Edit"));
    item(edit, EditNew, QStringLiteral("&New Item..."), QKeySequence(Qt::CTRL | Qt::Key_N));
    item(edit, EditEdit, QStringLiteral("&Edit Item..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    item(edit, EditDelete, QStringLiteral("&Delete Item..."), QKeySequence(Qt::CTRL | Qt::Key_D));
    separator(edit, "mnuEdit_Sep1");
    item(edit, EditCopy, QStringLiteral("&Copy Item"), QKeySequence(Qt::CTRL | Qt::Key_C));
    item(edit, EditCopyGrid, QStringLiteral("Copy &Grid"), QKeySequence(Qt::CTRL | Qt::Key_G));
    item(edit, EditMoveLocation, QStringLiteral("&Move Location..."),
         QKeySequence(Qt::CTRL | Qt::Key_M));
    item(edit, EditIncident, QStringLiteral("Add to I&ncident..."));
    separator(edit, "mnuEdit_Sep2");
    item(edit, EditItemTypes, QStringLiteral("&Item Types..."));
    item(edit, EditLocations, QStringLiteral("&Locations..."));

    QMenu* tools = menu("mnuTools", QStringLiteral("&Tools"));
    item(tools, ToolsInventory, QStringLiteral("Home &Inventory..."));
    item(tools, ToolsCollections, QStringLiteral("&Collections..."));
    separator(tools, "mnuTools_Sep1");
    item(tools, ToolsSearch, QStringLiteral("&Search..."));
    separator(tools, "mnuTools_Sep2");
    item(tools, ToolsReports, QStringLiteral("&Reports..."));
    item(tools, ToolsGraphs, QStringLiteral("&Graphs..."));
    separator(tools, "mnuTools_Sep3");
    item(tools, ToolsWarranties, QStringLiteral("&Warranties..."));
    item(tools, ToolsIncidents, QStringLiteral("I&ncidents and Claims..."));
    item(tools, ToolsCoverage, QStringLiteral("Co&verage Check..."));
    separator(tools, "mnuTools_Sep4");
    item(tools, ToolsOptions, QStringLiteral("&Options..."));

    QMenu* help = menu("mnuHelp", QStringLiteral("&Help"));
    item(help, HelpContents, QStringLiteral("&Contents"));
    item(help, HelpIndex, QStringLiteral("&Index"));
    item(help, HelpSearch, QStringLiteral("&Search..."));
    separator(help, "mnuHelp_Sep1");
    item(help, HelpWebSite, QStringLiteral("&Qelto Web Site..."));
    separator(help, "mnuHelp_Sep2");
    item(help, HelpAbout, QStringLiteral("&About..."));

    // Windows that come with later work: present, and disabled until they are registered.
    for (const QLatin1String name : WaitingCommands)
        setMenuItemEnabled(name, false);
    for (const QLatin1String key : ToolbarButton::ToolWindows)
        setMenuItemEnabled(toolsMenuItem(key), false);
}

void frmMain::createToolbar() {
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("tlbMain"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(22, 22));
    for (const ButtonInfo& info : Buttons) {
        const QString key = info.key;
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
    // The window buttons wait for their windows; Sort follows the window on display.
    for (const QLatin1String key : ToolbarButton::ToolWindows)
        setToolbarButtonEnabled(key, false);
    setToolbarButtonEnabled(ToolbarButton::Sort, false);
    resetToolWindowCommands();
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
    QAction* action = m_menuItems.value(name);
    if (!action)
        unknownCommand("menu item", name);
    return action;
}

QAction* frmMain::toolbarButton(const QString& key) const {
    QAction* action = m_buttons.value(key);
    if (!action)
        unknownCommand("toolbar button", key);
    return action;
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

void frmMain::registerToolWindow(const QString& key, std::function<ToolWindow*()> create) {
    if (!isToolWindowKey(key))
        unknownCommand("tool window button", key);
    m_toolWindows.insert(key, std::move(create));
    setToolbarButtonEnabled(key, true);
    setMenuItemEnabled(toolsMenuItem(key), true);
}

bool frmMain::hasToolWindow(const QString& key) const {
    return m_toolWindows.contains(key);
}

void frmMain::tlbMain_ButtonClick(const QString& key) {
    RunCommand(this, [&] {
        if (isToolWindowKey(key)) {
            const auto create = m_toolWindows.constFind(key);
            if (create == m_toolWindows.cend())
                return;
            CloseToolWindows();
            showToolWindow(key, (*create)());
        } else if (key == ToolbarButton::CopyItem) {
            copyCommand(false);
        } else if (key == ToolbarButton::CopyGrid) {
            copyCommand(true);
        } else if (key == ToolbarButton::Sort) {
            sortCommand();
        } else if (key == ToolbarButton::MoveLocation) {
            runMenuCommand(MenuItem::EditMoveLocation);
        }
    });
}

void frmMain::showToolWindow(const QString& key, ToolWindow* window) {
    if (!window)
        return;
    setToolbarButtonEnabled(ToolbarButton::Sort, !window->sortMessage().isEmpty());
    auto* sub = new QMdiSubWindow(m_mdiArea, Qt::FramelessWindowHint);
    sub->setObjectName(QStringLiteral("mdiChild"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWidget(window);
    m_mdiArea->addSubWindow(sub);
    m_subWindow = sub;
    m_toolWindow = window;
    m_toolWindowKey = key;
    sub->setGeometry(m_mdiArea->viewport()->rect());
    sub->show();
    setWindowTitle(window->caption());
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
    m_toolWindowKey.clear();
    // It lingers until the event loop deletes it, and must not refresh meanwhile: its refresh
    // would switch the main window's commands on again.
    QObject::disconnect(&DataChanges::instance(), nullptr, window, nullptr);
    window->hide();
    window->Form_Unload();
    resetToolWindowCommands();
    if (sub) {
        m_mdiArea->removeSubWindow(sub);
        sub->hide();
        // The window may be the one whose code asked for the switch.
        sub->deleteLater();
    } else {
        window->deleteLater();
    }
}

void frmMain::resetToolWindowCommands() {
    setWindowTitle(General::GetAppTitle());
    for (const QLatin1String name : ToolWindowMenuItems) {
        setMenuItemEnabled(name, false);
        setMenuItemVisible(name, true);
    }
    for (const QLatin1String key : ToolWindowButtons)
        setToolbarButtonEnabled(key, false);
}

void frmMain::reopenToolWindow() {
    if (m_toolWindow)
        tlbMain_ButtonClick(m_toolWindowKey);
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
    if (!m_menuItems.contains(menuItem))
        unknownCommand("menu item", menuItem);
    m_commands.insert(menuItem, std::move(handler));
    if (isWaitingCommand(menuItem))
        setMenuItemEnabled(menuItem, true);
}

bool frmMain::hasCommand(const QString& menuItem) const {
    return m_commands.contains(menuItem);
}

void frmMain::runMenuCommand(const QString& menuItem) {
    menuCommand(menuItem);
}

void frmMain::menuCommand(const QString& name) {
    using namespace MenuItem;
    RunCommand(this, [&] {
        if (name == Test) {
            m_splash->show();
        } else if (name == FileExit) {
            close();
        } else if (name == EditNew || name == EditEdit || name == EditDelete) {
            forwardItemCommand(name);
        } else if (name == EditCopy) {
            copyCommand(false);
        } else if (name == EditCopyGrid) {
            copyCommand(true);
        } else if (name.startsWith(QLatin1String("mnuTools_")) && isToolWindowKey(name.mid(9))) {
            tlbMain_ButtonClick(name.mid(9));
        } else if (name == ToolsOptions) {
            showOptions();
        } else if (name == HelpContents) {
            showHelp(int(HelpWindow::Tab::Contents));
        } else if (name == HelpIndex) {
            showHelp(int(HelpWindow::Tab::Index));
        } else if (name == HelpSearch) {
            showHelp(int(HelpWindow::Tab::Search));
        } else if (name == HelpWebSite) {
            openWebSite();
        } else if (name == HelpAbout) {
            showAbout();
        } else if (const auto command = m_commands.constFind(name); command != m_commands.cend()) {
            (*command)();
        }
    });
}

void frmMain::forwardItemCommand(const QString& name) {
    ToolWindow* window = toolWindow();
    if (!window)
        return;
    if (name == MenuItem::EditNew)
        window->cmdNew_Click();
    else if (name == MenuItem::EditEdit)
        window->cmdEdit_Click();
    else
        window->cmdDelete_Click();
}

void frmMain::copyCommand(bool wholeGrid) {
    GridView* grid = m_toolWindow ? m_toolWindow->grid() : nullptr;
    if (!grid)
        return;
    if (wholeGrid)
        CopyGrid(grid);
    else
        CopySelectedRow(grid);
}

void frmMain::sortCommand() {
    const QString text = m_toolWindow ? m_toolWindow->sortMessage() : QString();
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
