// The main window: its commands by name and their state, the status bar and its timer, the
// switching of tool windows, the Edit menu and copy commands dispatched to the tool window on
// display, engine errors during a command, help, the web site, Options and About, and the
// window's place kept across a restart.

#include "GuiTest.h"

#include "app/Clock.h"
#include "app/CommandNames.h"
#include "app/HelpWindow.h"
#include "app/ToolWindow.h"
#include "app/frmSplash.h"
#include "data/DataChanges.h"

#include <QDesktopServices>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QMdiArea>
#include <QStatusBar>

namespace {

// A tool window without items, grid or sort, as the reports window is: it keeps the base
// class's commands, which do nothing.
class ReportsWindow : public ToolWindow {
public:
    ReportsWindow()
        : ToolWindow("frmReports", "- Reports") {}
    void Form_Load() override {}
};

void registerReports(frmMain& window) {
    window.registerToolWindow(ToolbarButton::Reports, [] { return new ReportsWindow; });
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
    // Every command name the code uses finds its menu item or button, and every menu item and
    // button has its name among them; the commands of windows still to come wait for them.
    void commandsByName() {
        GuiApp app;
        frmMain& main = *app.main;
        QStringList names;
        for (const QLatin1String name : MenuItem::All) {
            QVERIFY2(main.menuItem(name), name.data());
            QCOMPARE(main.menuItem(name)->objectName(), QString(name));
            names << name;
        }
        for (const QLatin1String key : ToolbarButton::All) {
            QVERIFY2(main.toolbarButton(key), key.data());
            names << key;
        }
        for (const QAction* action : main.findChildren<QAction*>()) {
            const QString name = action->objectName();
            if (name.startsWith("mnu") && name.contains('_') && !action->isSeparator())
                QVERIFY2(names.contains(name), qPrintable(name));
            if (action->property("key").isValid())
                QVERIFY2(names.contains(action->property("key").toString()), qPrintable(name));
        }

        QVERIFY(!main.menuItem("XXXXXXXX")->isVisible());
        for (const char* key : {"Search", "Reports", "Graphs"}) {
            const bool arrived = main.hasToolWindow(key);
            QCOMPARE(main.menuItem(QString("mnuTools_") + key)->isEnabled(), arrived);
            QCOMPARE(main.toolbarButton(key)->isEnabled(), arrived);
        }
        for (const char* name :
             {"mnuFile_Export", "mnuFile_Backup", "mnuFile_Restore", "mnuFile_Compact"})
            QCOMPARE(main.menuItem(name)->isEnabled(), main.hasCommand(name));
        // A window arriving enables its button and its Tools command.
        registerReports(main);
        QVERIFY(main.toolbarButton("Reports")->isEnabled());
        QVERIFY(main.menuItem("mnuTools_Reports")->isEnabled());

        QCOMPARE(main.statusBar()->findChild<QLabel*>("stbMain_Date")->text(),
                 DateText::shortDate(Clock::today()));
        main.resize(300, 200);
        QVERIFY(main.width() >= 640 && main.height() >= 480);
        main.runMenuCommand("XXXXXXXX");
        QVERIFY(main.splash()->isVisible());
    }

    void statusMessageClearedByTheTimer() {
        GuiApp app;
        const QDateTime shown(QDate(2026, 3, 1), QTime(10, 0, 0, 900));
        Clock::setNow(shown);
        ShowStatus("There are 2 items");
        // Five whole seconds are not enough ...
        Clock::setNow(shown.addMSecs(5000));
        app.main->timMain_Timer();
        QCOMPARE(app.main->statusText(), QString("There are 2 items"));
        // ... the first tick that finds more than five second boundaries passed clears it.
        Clock::setNow(shown.addMSecs(5100));
        app.main->timMain_Timer();
        QCOMPARE(app.main->statusText(), QString());
    }

    // (The Edit menu and copy commands reaching the window on display, and engine errors
    // during a command, are tested through the inventory and collections windows.)
    void toolWindowsSwitchOneAtATime() {
        const auto seed = [](const dvData& data) {
            runSqlite(data.Path(), "INSERT INTO tblItem (ItemNM, TypeTX, LocationTX) "
                                   "VALUES ('Anvil', 'Tools', 'Garage')");
        };
        GuiApp app(seed, registerReports);
        frmMain& main = *app.main;
        QPointer<ToolWindow> first = main.toolWindow();
        QCOMPARE(first->formName(), QString("frmInventory"));
        app.prompts.answerMessage(QMessageBox::Ok, "Inventory sort");
        main.toolbarButton("Sort")->trigger();
        // The same button again: unloaded and loaded afresh; so is the window on display when
        // the database was replaced.
        main.toolbarButton("Inventory")->trigger();
        QTRY_VERIFY(!first);
        first = main.toolWindow();
        emit DataChanges::instance().databaseReplaced();
        QTRY_VERIFY(!first);
        QCOMPARE(main.toolWindow()->formName(), QString("frmInventory"));

        // What a window switched on is off again once it goes.
        main.toolWindow()->grid()->selectRow(0);
        QVERIFY(main.menuItem("mnuEdit_Copy")->isEnabled());
        main.menuItem("mnuTools_Collections")->trigger();
        QCOMPARE(main.toolWindow()->formName(), QString("frmCollections"));
        QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
        QVERIFY(!main.menuItem("mnuEdit_MoveLocation")->isVisible());
        main.menuItem("mnuTools_Reports")->trigger();
        QCOMPARE(gCurrentWindow(), QString("frmReports"));
        QCOMPARE(main.windowTitle(), QString("Qelto Domivo- Reports"));
        QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
        const char* editItems[] = {"mnuEdit_New",  "mnuEdit_Edit",     "mnuEdit_Delete",
                                   "mnuEdit_Copy", "mnuEdit_CopyGrid", "mnuEdit_MoveLocation"};
        for (const char* name : editItems)
            QVERIFY2(!main.menuItem(name)->isEnabled() && main.menuItem(name)->isVisible(), name);
        for (const char* key : {"Sort", "CopyItem", "CopyGrid", "MoveLocation"})
            QVERIFY2(!main.toolbarButton(key)->isEnabled(), key);
        // A window without items takes no item, copy or sort command, even run directly.
        QGuiApplication::clipboard()->setText("kept");
        for (const char* name :
             {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy", "mnuEdit_CopyGrid"})
            main.runMenuCommand(name);
        main.tlbMain_ButtonClick("Sort");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));

        // The tool window fills the frame, also after a resize.
        main.resize(1100, 760);
        QTRY_COMPARE(main.toolWindow()->size(), main.mdiArea()->viewport()->size());
        main.CloseToolWindows();
        QCOMPARE(main.windowTitle(), QString("Qelto Domivo"));
        QCOMPARE(gCurrentWindow(), QString());
    }

    void helpAndWebSite() {
        GuiApp app;
        frmMain& main = *app.main;
        gHelpFile.clear();
        for (const char* name : {"mnuHelp_Contents", "mnuHelp_Index", "mnuHelp_Search"}) {
            app.prompts.answerMessage(QMessageBox::Ok, "Cannot find help file.");
            main.menuItem(name)->trigger();
            QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Critical);
        }
        QVERIFY(!main.helpWindow());

        gHelpFile = DOMIVO_HELP_FILE;
        main.menuItem("mnuHelp_Index")->trigger();
        HelpWindow* help = main.helpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->currentTab(), HelpWindow::Tab::Index);
        main.menuItem("mnuHelp_Contents")->trigger();
        QCOMPARE(main.helpWindow(), help);
        QCOMPARE(help->currentTab(), HelpWindow::Tab::Contents);
        main.menuItem("mnuHelp_Search")->trigger();
        QCOMPARE(help->currentTab(), HelpWindow::Tab::Search);
        // The help file's own pages are shown: the contents list them and the start page opens.
        QTRY_VERIFY(help->engine()->contentModel()->rowCount() > 0);
        QVERIFY(help->engine()->fileData(help->currentPage()).contains("Welcome to Domivo"));
        // One click on an entry of the contents opens its page.
        main.menuItem("mnuHelp_Contents")->trigger();
        auto* contents = help->findChild<QHelpContentWidget*>("lstContents");
        const QModelIndex page = contents->model()->index(1, 0, contents->model()->index(0, 0));
        const QUrl url = help->engine()->contentModel()->contentItemAt(page)->url();
        QVERIFY(url.isValid() && url != help->currentPage());
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualRect(page).center());
        QCOMPARE(help->currentPage(), url);
        // The collection is kept in the cache folder, never beside the installed help file.
        QVERIFY(HelpWindow::collectionFile().startsWith(app.env.root()));

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        main.menuItem("mnuHelp_QeltoWebSite")->trigger();
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().host(), QString("www.qelto.com"));
    }

    // The window opens where it was left, maximised or not; the first time it fits the screen.
    void windowPlaceIsRememberedAcrossARestart() {
        GuiTestEnvironment env;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect place(30, 40, 700, 500);
        {
            frmMain main(env.dataFolder());
            QVERIFY(screen.contains(main.geometry()));
            QVERIFY(main.width() >= 640 && main.height() >= 480);
            main.show();
            main.setGeometry(place);
            main.close();
        }
        {
            frmMain main(env.dataFolder());
            QCOMPARE(main.geometry(), place);
            main.showMaximized();
            main.close();
        }
        {
            frmMain main(env.dataFolder());
            QVERIFY(main.windowState().testFlag(Qt::WindowMaximized));
            main.showNormal();
            QCOMPARE(main.geometry(), place);
        }
        // A place left on a screen that is gone is brought back onto this one.
        Settings::setInteger(SettingKeys::WindowLeft, screen.right() + 500);
        Settings::setText(SettingKeys::WindowMaximized, "0");
        frmMain moved(env.dataFolder());
        QVERIFY(screen.contains(moved.geometry()));
    }

    void optionsAndAboutOpenFromTheMenus() {
        GuiApp app;
        QString shown;
        whenModalShown([&](QWidget* dialog) {
            shown = dialog->objectName();
            click(dialog, "cmdCancel");
        });
        app.main->menuItem("mnuTools_Options")->trigger();
        QCOMPARE(shown, QString("frmOptions"));

        QString info;
        whenModalShown([&](QWidget* dialog) {
            shown = dialog->objectName();
            click(dialog, "cmdSysInfo");
            auto* text = dialog->findChild<QPlainTextEdit*>("txtSysInfo");
            info = text ? text->toPlainText() : QString();
            click(dialog, "cmdOK");
        });
        app.main->menuItem("mnuHelp_About")->trigger();
        QCOMPARE(shown, QString("frmAbout"));
        for (const QString& line :
             {"Qt: " + QString(qVersion()), QString("SQLite: 3."), QString("System: "),
              "Data folder: " + app.env.dataFolder(), "Database file: " + app.env.databaseFile(),
              "Settings file: " + app.env.settingsFile()})
            QVERIFY2(info.contains(line), qPrintable(line));
    }
};

DOMIVO_GUI_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
