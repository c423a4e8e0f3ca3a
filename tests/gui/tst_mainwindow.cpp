// The main window: its commands, toolbar and status bar, the switching of tool windows, the
// Edit menu and copy commands dispatched to the tool window on display, engine errors during a
// command, help, the web site, Options and About.

#include "GuiTest.h"

#include "app/General.h"
#include "app/Globals.h"
#include "app/HelpWindow.h"
#include "app/ToolWindow.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "data/DbError.h"
#include "types/DateText.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// What the test tool windows were asked to do.
struct Calls {
    int loads = 0;
    int unloads = 0;
    QStringList commands;
};
Calls calls;

// A tool window as the later ones are made: it names itself in gCurrentWindow, sets the caption,
// switches the commands that apply to it and gives them back when it unloads.
class TestToolWindow : public ToolWindow {
public:
    TestToolWindow(const QString& formName, const QString& subject, bool itemCommands)
        : ToolWindow(formName)
        , m_subject(subject)
        , m_itemCommands(itemCommands) {
        if (itemCommands) {
            m_grid = new GridView(this);
            m_grid->setObjectName(QStringLiteral("lvwItems"));
            FillListView(m_grid,
                         Recordset({QStringLiteral("ItemID"), QStringLiteral("Item"),
                                    QStringLiteral("Price")},
                                   {{1, QStringLiteral("Sofa"), QStringLiteral("$800.00")},
                                    {2, QStringLiteral("Lamp"), QStringLiteral("$40.00")}}));
        }
    }

    void Form_Load() override {
        ++calls.loads;
        gCurrentWindow = formName();
        mainWindow().setWindowTitle(General::GetAppTitle() + m_subject);
        if (m_itemCommands) {
            for (const char* name : {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete",
                                     "mnuEdit_Copy", "mnuEdit_CopyGrid"})
                mainWindow().setMenuItemEnabled(QLatin1String(name), true);
            mainWindow().setToolbarButtonEnabled(QStringLiteral("CopyItem"), true);
            mainWindow().setToolbarButtonEnabled(QStringLiteral("CopyGrid"), true);
        }
    }
    void Form_Unload() override {
        ++calls.unloads;
        mainWindow().setWindowTitle(General::GetAppTitle());
        for (const char* name :
             {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy", "mnuEdit_CopyGrid"})
            mainWindow().setMenuItemEnabled(QLatin1String(name), false);
        if (m_itemCommands)
            gCurrentWindow.clear();
    }
    void cmdNew_Click() override { calls.commands << formName() + QStringLiteral(".New"); }
    void cmdEdit_Click() override { calls.commands << formName() + QStringLiteral(".Edit"); }
    void cmdDelete_Click() override {
        calls.commands << formName() + QStringLiteral(".Delete");
        throw DbError(QStringLiteral("database disk image is malformed"), 11);
    }
    GridView* grid() override { return m_grid; }

private:
    QString m_subject;
    bool m_itemCommands;
    GridView* m_grid = nullptr;
};

// A tool window without items or grid, as the reports window is: it keeps the base class's
// item commands, which do nothing.
class PlainToolWindow : public ToolWindow {
public:
    PlainToolWindow()
        : ToolWindow(QStringLiteral("frmReports")) {}
    void Form_Load() override {
        ++calls.loads;
        gCurrentWindow = formName();
        mainWindow().setWindowTitle(General::GetAppTitle() + QStringLiteral("- Reports"));
    }
};

void registerTestWindows(frmMain& window) {
    window.registerToolWindow(QStringLiteral("Inventory"), [] {
        return new TestToolWindow(QStringLiteral("frmInventory"),
                                  QStringLiteral("- Home Inventory"), true);
    });
    window.registerToolWindow(
        QStringLiteral("Reports"), [] { return new PlainToolWindow; }, false);
}

QLabel* panel(const frmMain& window, const char* name) {
    return window.statusBar()->findChild<QLabel*>(QLatin1String(name));
}

} // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void menuItems_data();
    void menuItems();
    void toolbarButtons();
    void statusBarPanelsAndMinimumSize();
    void statusMessageClearedByTheTimer();
    void switchingKeepsOneToolWindow();
    void editMenuIsForwardedToTheCurrentToolWindow();
    void copyCommandsUseTheCurrentGrid();
    void engineErrorIsShownAndTheProgramGoesOn();
    void sortButtonNamesTheGrid();
    void missingHelpFile();
    void helpOpensOnEachTab();
    void webSiteOpensTheMakersPage();
    void optionsAndAboutOpenFromTheMenus();
    void testCommandShowsTheSplash();
};

void MainWindowTest::init() {
    calls = Calls();
}

void MainWindowTest::menuItems_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    const auto row = [](const char* name, const char* caption, const char* shortcut, bool enabled,
                        bool visible = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                            << QString::fromLatin1(shortcut) << enabled << visible;
    };
    // Qt reports a hidden item as disabled too. Start-up has opened the inventory window,
    // which switches on New Item and Move Location.
    row("XXXXXXXX", "TEST", "", false, false);
    row("mnuFile_Export", "&Export...", "", false);
    row("mnuFile_BackupRestore", "&Backup/Restore", "", true);
    row("mnuFile_Backup", "&Backup database...", "", false);
    row("mnuFile_Restore", "&Restore a backup file...", "", false);
    row("mnuFile_Compact", "&Compact Database...", "", false);
    row("mnuFile_Exit", "E&xit", "", true);
    row("mnuEdit_New", "&New Item...", "Ctrl+N", true);
    row("mnuEdit_Edit", "&Edit Item...", "Ctrl+E", false);
    row("mnuEdit_Delete", "&Delete Item...", "Ctrl+D", false);
    row("mnuEdit_Copy", "&Copy Item", "Ctrl+C", false);
    row("mnuEdit_CopyGrid", "Copy &Grid", "Ctrl+G", false);
    row("mnuEdit_MoveLocation", "&Move Location...", "Ctrl+M", true);
    row("mnuEdit_ItemTypes", "&Item Types...", "", true);
    row("mnuEdit_Locations", "&Locations...", "", true);
    row("mnuTools_Inventory", "Home &Inventory...", "", true);
    row("mnuTools_Collections", "&Collections...", "", false);
    row("mnuTools_Search", "&Search...", "", false);
    row("mnuTools_Reports", "&Reports...", "", false);
    row("mnuTools_Graphs", "&Graphs...", "", false);
    row("mnuTools_Options", "&Options...", "", true);
    row("mnuHelp_Contents", "&Contents", "", true);
    row("mnuHelp_Index", "&Index", "", true);
    row("mnuHelp_Search", "&Search...", "", true);
    row("mnuHelp_QeltoWebSite", "&Qelto Web Site...", "", true);
    row("mnuHelp_About", "&About...", "", true);
}

void MainWindowTest::menuItems() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);
    QFETCH(bool, visible);
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QAction* item = window.findChild<QAction*>(name);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut().toString(), shortcut);
    // A Tools command is enabled once its window has arrived in the registry.
    const bool arrived = name.startsWith("mnuTools_") && window.hasToolWindow(name.mid(9));
    QCOMPARE(item->isEnabled(), enabled || arrived);
    QCOMPARE(item->isVisible(), visible);
}

void MainWindowTest::toolbarButtons() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QToolBar* toolbar = window.findChild<QToolBar*>(QStringLiteral("tlbMain"));
    QVERIFY(toolbar);
    QStringList keys;
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator())
            continue;
        keys << action->property("key").toString();
        QVERIFY2(!action->icon().isNull(), qPrintable(keys.last()));
        QVERIFY(!action->icon().pixmap(22, 22, QIcon::Disabled).isNull());
        // Each button can also be found as a widget by the same name.
        QVERIFY(toolbar->findChild<QToolButton*>(action->objectName()));
    }
    QCOMPARE(keys, (QStringList{"Inventory", "Collections", "Search", "CopyItem", "CopyGrid",
                                "Sort", "MoveLocation", "Reports", "Graphs"}));
    QCOMPARE(window.toolbarButton(QStringLiteral("Inventory"))->toolTip(),
             QStringLiteral("Update home inventory"));
    QCOMPARE(window.toolbarButton(QStringLiteral("Sort"))->toolTip(),
             QStringLiteral("Choose sort field for grid"));
    QCOMPARE(window.toolbarButton(QStringLiteral("MoveLocation"))->toolTip(),
             QStringLiteral("Move items from one location to another"));
    // The inventory window is on display (its grid empty): its buttons are on; those of the
    // windows that have not arrived wait, and so does copying.
    for (const QString& key : keys) {
        const bool inventoryButton = key == QLatin1String("Sort") ||
                                     key == QLatin1String("MoveLocation") ||
                                     window.hasToolWindow(key);
        QVERIFY2(window.toolbarButton(key)->isEnabled() == inventoryButton, qPrintable(key));
    }

    // A window arriving enables its button and its Tools command.
    QVERIFY(!window.toolbarButton(QStringLiteral("Reports"))->isEnabled());
    registerTestWindows(window);
    QVERIFY(window.toolbarButton(QStringLiteral("Reports"))->isEnabled());
    QVERIFY(window.menuItem(QStringLiteral("mnuTools_Reports"))->isEnabled());
}

void MainWindowTest::statusBarPanelsAndMinimumSize() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    window.resize(1000, 700);
    QCoreApplication::processEvents();
    QStatusBar* bar = window.findChild<QStatusBar*>(QStringLiteral("stbMain"));
    QVERIFY(bar);
    QList<QLabel*> panels;
    for (const char* name : {"stbMain_Message", "stbMain_CapsLock", "stbMain_NumLock",
                             "stbMain_Insert", "stbMain_ScrollLock", "stbMain_Date"})
        panels << panel(window, name);
    QVERIFY(!panels.contains(nullptr));
    const double width = bar->width();
    const double shares[] = {0.50, 0.09, 0.09, 0.09, 0.09, 0.14};
    for (int i = 0; i < 6; ++i)
        QVERIFY2(qAbs(panels.at(i)->width() / width - shares[i]) < 0.02,
                 qPrintable(QStringLiteral("panel %1 is %2 of %3")
                                .arg(i + 1)
                                .arg(panels.at(i)->width())
                                .arg(width)));
    QCOMPARE(panels.at(1)->text(), QStringLiteral("CAPS"));
    QCOMPARE(panels.at(2)->text(), QStringLiteral("NUM"));
    QCOMPARE(panels.at(3)->text(), QStringLiteral("INS"));
    QCOMPARE(panels.at(4)->text(), QStringLiteral("SCRL"));
    QCOMPARE(panels.at(5)->text(), DateText::shortDate(QDate::currentDate()));

    window.resize(300, 200);
    QVERIFY(window.width() >= 640);
    QVERIFY(window.height() >= 480);
}

void MainWindowTest::statusMessageClearedByTheTimer() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    QTimer* timer = window.findChild<QTimer*>(QStringLiteral("timMain"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);

    ShowStatus(QStringLiteral("There are 2 items"));
    QCOMPARE(window.statusText(), QStringLiteral("There are 2 items"));
    // Five whole seconds are not enough ...
    QTest::qWait(4500);
    QCOMPARE(window.statusText(), QStringLiteral("There are 2 items"));
    // ... the first tick after more than five clears it.
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QString(), 5000);
}

void MainWindowTest::switchingKeepsOneToolWindow() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    registerTestWindows(window);
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    // Start-up opened the inventory window first.
    QPointer<ToolWindow> first = window.toolWindow();
    QVERIFY(first);
    QCOMPARE(first->formName(), QStringLiteral("frmInventory"));
    QCOMPARE(gCurrentWindow, QStringLiteral("frmInventory"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Qelto Domivo- Home Inventory"));
    QVERIFY(window.toolbarButton(QStringLiteral("Sort"))->isEnabled());
    QVERIFY(first->isVisible());
    QCOMPARE(first->window(), &window);

    // The same button again: unloaded and loaded afresh.
    window.toolbarButton(QStringLiteral("Inventory"))->trigger();
    QCOMPARE(calls.unloads, 1);
    QCOMPARE(calls.loads, 2);
    QTRY_VERIFY(!first);
    QPointer<ToolWindow> second = window.toolWindow();
    QVERIFY(second);
    QCOMPARE(window.mdiArea()->subWindowList().size(), 1);

    // Tools menu and toolbar behave alike; reports has no sort.
    window.menuItem(QStringLiteral("mnuTools_Reports"))->trigger();
    QTRY_VERIFY(!second);
    QCOMPARE(window.toolWindow()->formName(), QStringLiteral("frmReports"));
    QCOMPARE(gCurrentWindow, QStringLiteral("frmReports"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Qelto Domivo- Reports"));
    QVERIFY(!window.toolbarButton(QStringLiteral("Sort"))->isEnabled());
    QCOMPARE(window.mdiArea()->subWindowList().size(), 1);

    // The tool window fills the frame, also after a resize.
    window.resize(1100, 760);
    QTRY_COMPARE(window.toolWindow()->size(), window.mdiArea()->viewport()->size());
}

void MainWindowTest::editMenuIsForwardedToTheCurrentToolWindow() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    registerTestWindows(window);
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    prompts.answerMessage(QMessageBox::Ok, QStringLiteral("malformed"));

    window.menuItem(QStringLiteral("mnuEdit_New"))->trigger();
    window.menuItem(QStringLiteral("mnuEdit_Edit"))->trigger();
    window.menuItem(QStringLiteral("mnuEdit_Delete"))->trigger();
    QCOMPARE(calls.commands,
             (QStringList{"frmInventory.New", "frmInventory.Edit", "frmInventory.Delete"}));

    // The shortcuts reach the same commands.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(calls.commands.mid(3), (QStringList{"frmInventory.New", "frmInventory.Edit"}));

    // A window without items takes no item commands, even when the command is run directly.
    window.tlbMain_ButtonClick(QStringLiteral("Reports"));
    QVERIFY(!window.menuItem(QStringLiteral("mnuEdit_New"))->isEnabled());
    window.runMenuCommand(QStringLiteral("mnuEdit_New"));
    QCOMPARE(calls.commands.size(), 5);
}

void MainWindowTest::copyCommandsUseTheCurrentGrid() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    registerTestWindows(window);
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    GridView* grid = window.toolWindow()->findChild<GridView*>(QStringLiteral("lvwItems"));
    QVERIFY(grid);
    QClipboard* clipboard = QGuiApplication::clipboard();

    grid->selectRow(1);
    window.menuItem(QStringLiteral("mnuEdit_Copy"))->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("2\tLamp\t$40.00"));
    QCOMPARE(window.statusText(), QStringLiteral("Selected grid item copied to the Windows Clipboard."));

    window.toolbarButton(QStringLiteral("CopyGrid"))->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("1\tSofa\t$800.00\r\n2\tLamp\t$40.00\r\n"));
    QCOMPARE(window.statusText(), QStringLiteral("Contents of grid copied to the Windows Clipboard."));

    // With the reports window on display the copy commands do nothing.
    clipboard->setText(QStringLiteral("kept"));
    window.tlbMain_ButtonClick(QStringLiteral("Reports"));
    window.runMenuCommand(QStringLiteral("mnuEdit_Copy"));
    window.runMenuCommand(QStringLiteral("mnuEdit_CopyGrid"));
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));
}

void MainWindowTest::engineErrorIsShownAndTheProgramGoesOn() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    registerTestWindows(window);
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    prompts.answerMessage(QMessageBox::Ok);
    window.menuItem(QStringLiteral("mnuEdit_Delete"))->trigger();

    QCOMPARE(prompts.boxes().size(), 1);
    QCOMPARE(prompts.boxes().first().text, QStringLiteral("database disk image is malformed"));
    QCOMPARE(prompts.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(prompts.boxes().first().title, QStringLiteral("Qelto Domivo- Home Inventory"));
    QVERIFY(window.isVisible());
    QVERIFY(gData);
    window.menuItem(QStringLiteral("mnuEdit_New"))->trigger();
    QCOMPARE(calls.commands.last(), QStringLiteral("frmInventory.New"));
}

void MainWindowTest::sortButtonNamesTheGrid() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    registerTestWindows(window);
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    prompts.answerMessage(QMessageBox::Ok);
    window.toolbarButton(QStringLiteral("Sort"))->trigger();
    QCOMPARE(prompts.boxes().size(), 1);
    QCOMPARE(prompts.boxes().first().text, QStringLiteral("Inventory sort"));
    QCOMPARE(prompts.boxes().first().icon, QMessageBox::NoIcon);
    QCOMPARE(prompts.boxes().first().buttons, QMessageBox::Ok);

    window.tlbMain_ButtonClick(QStringLiteral("Reports"));
    window.tlbMain_ButtonClick(QStringLiteral("Sort"));
    QCOMPARE(prompts.boxes().size(), 1);
}

void MainWindowTest::missingHelpFile() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    gHelpFile.clear();

    for (const char* name : {"mnuHelp_Contents", "mnuHelp_Index", "mnuHelp_Search"}) {
        prompts.answerMessage(QMessageBox::Ok);
        window.menuItem(QLatin1String(name))->trigger();
    }
    QCOMPARE(prompts.boxes().size(), 3);
    for (const ScriptedPrompts::Box& box : prompts.boxes()) {
        QCOMPARE(box.text, QStringLiteral("Cannot find help file."));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QStringLiteral("Qelto Domivo Help"));
    }
    QVERIFY(!window.helpWindow());
}

void MainWindowTest::helpOpensOnEachTab() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    gHelpFile = QStringLiteral(DOMIVO_HELP_FILE);
    QVERIFY2(QFile::exists(gHelpFile), qPrintable(gHelpFile));

    window.menuItem(QStringLiteral("mnuHelp_Index"))->trigger();
    HelpWindow* help = window.helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->currentTab(), HelpWindow::Tab::Index);
    QCOMPARE(help->findChild<QTabWidget*>(QStringLiteral("tabHelp"))->tabText(1),
             QStringLiteral("&Index"));

    window.menuItem(QStringLiteral("mnuHelp_Contents"))->trigger();
    QCOMPARE(window.helpWindow(), help);
    QCOMPARE(help->currentTab(), HelpWindow::Tab::Contents);
    window.menuItem(QStringLiteral("mnuHelp_Search"))->trigger();
    QCOMPARE(help->currentTab(), HelpWindow::Tab::Search);

    // The help file's own pages are shown: the contents list them and the start page opens.
    QTRY_VERIFY(help->engine()->contentModel()->rowCount() > 0);
    QVERIFY(help->currentPage().toString().endsWith(QLatin1String("/index.html")));
    const QByteArray page = help->engine()->fileData(help->currentPage());
    QVERIFY(page.contains("Welcome to Domivo"));
    QVERIFY(prompts.boxes().isEmpty());
    // The collection is kept in the cache folder, never beside the installed help file.
    QVERIFY(HelpWindow::collectionFile().startsWith(env.root()));
}

void MainWindowTest::webSiteOpensTheMakersPage() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

    window.menuItem(QStringLiteral("mnuHelp_QeltoWebSite"))->trigger();

    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().host(), QStringLiteral("www.qelto.com"));
}

void MainWindowTest::optionsAndAboutOpenFromTheMenus() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QString shown;
    whenModalShown([&](QWidget* dialog) {
        shown = dialog->objectName() + QLatin1Char('|') + dialog->windowTitle();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    window.menuItem(QStringLiteral("mnuTools_Options"))->trigger();
    QCOMPARE(shown, QStringLiteral("frmOptions|Options"));

    QString info;
    whenModalShown([&](QWidget* dialog) {
        shown = dialog->objectName();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
        auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtSysInfo"));
        info = text ? text->toPlainText() : QString();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    window.menuItem(QStringLiteral("mnuHelp_About"))->trigger();
    QCOMPARE(shown, QStringLiteral("frmAbout"));
    QVERIFY(info.contains(QStringLiteral("Qt: ") + QLatin1String(qVersion())));
    QVERIFY(info.contains(QLatin1String("SQLite: 3.")));
    QVERIFY(info.contains(QStringLiteral("Data folder: ") + env.dataFolder()));
    QVERIFY(info.contains(QStringLiteral("Database file: ") + env.databaseFile()));
    QVERIFY(info.contains(QStringLiteral("Settings file: ") + env.settingsFile()));
    QVERIFY(info.contains(QLatin1String("System: ")));
}

void MainWindowTest::testCommandShowsTheSplash() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    QVERIFY(!window.splash()->isVisible());

    window.runMenuCommand(QStringLiteral("XXXXXXXX"));
    QVERIFY(window.splash()->isVisible());
}

DOMIVO_GUI_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
