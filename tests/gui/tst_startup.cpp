// Start-up and shutdown of the desktop application: the database found, created, refused or
// rebuilt; the splash; the first tool window; the compact and backup reminders; the command
// line of the executable.

#include "GuiTest.h"

#include "app/AppPaths.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/ToolWindow.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "types/DateText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace {

const QString InvalidQuestion =
    QStringLiteral("Your Qelto Domivo database is not valid.  Click YES to build a new database "
                   "or NO to exit the program");

int rowCount(const QString& database, const QString& table) {
    return runSqlite(database, QStringLiteral("SELECT COUNT(*) FROM %1;").arg(table))
        .trimmed()
        .toInt();
}

// A first tool window that notes when it was opened.
class FirstWindow : public ToolWindow {
public:
    FirstWindow()
        : ToolWindow(QStringLiteral("frmInventory")) {}
    void Form_Load() override {
        gCurrentWindow = formName();
        splashVisibleAtLoad = frmMain::instance()->splash()->isVisible();
        ++loads;
    }
    static inline int loads = 0;
    static inline bool splashVisibleAtLoad = true;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartCreatesAndSeedsTheDatabase();
    void splashStaysForTheWaitThenTheFirstToolWindowOpens();
    void keyPressClosesTheSplash();
    void invalidDatabaseRefusedOnNo_data();
    void invalidDatabaseRefusedOnNo();
    void invalidDatabaseRebuiltOnYes();
    void invalidDatabaseKeptWhenItsCopyCannotBeMade();
    void reminders_data();
    void reminders();
    void reminderYesOpensTheRegisteredWindow();
    void exitReleasesTheDatabaseWithoutAQuestion();
    void commandLine();
};

void StartupTest::firstStartCreatesAndSeedsTheDatabase() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    QVERIFY(!QFile::exists(env.databaseFile()));

    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QVERIFY(prompts.boxes().isEmpty());
    QVERIFY(window.isVisible());
    QVERIFY(!window.splash()->isVisible());
    QVERIFY(gData);
    QCOMPARE(gData->PhysicalPath(), env.databaseFile());
    QVERIFY(dvData::ValidDatabase(gData->connString()));
    QCOMPARE(rowCount(env.databaseFile(), QStringLiteral("tblType_Lkp")), 23);
    QCOMPARE(rowCount(env.databaseFile(), QStringLiteral("tblLocation_Lkp")), 23);
    QCOMPARE(rowCount(env.databaseFile(), QStringLiteral("tblCollectionFieldType_LKP")), 8);
    // The inventory window is the first tool window on display.
    QVERIFY(window.toolWindow(QStringLiteral("frmInventory")));
    QVERIFY(window.toolWindow()->isVisible());
    QCOMPARE(gCurrentWindow, QStringLiteral("frmInventory"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Qelto Domivo- Home Inventory"));
}

void StartupTest::splashStaysForTheWaitThenTheFirstToolWindowOpens() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain::setStartupWaitForTesting(400);
    FirstWindow::loads = 0;
    frmMain window(env.dataFolder());
    window.registerToolWindow(QStringLiteral("Inventory"), [] { return new FirstWindow; });

    bool splashShownDuringWait = false;
    // The first events are processed while the splash is up.
    QTimer::singleShot(0, &window, [&] { splashShownDuringWait = window.splash()->isVisible(); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QVERIFY(clock.elapsed() >= 400);
    QVERIFY(splashShownDuringWait);
    QCOMPARE(FirstWindow::loads, 1);
    QVERIFY(!FirstWindow::splashVisibleAtLoad);
    QCOMPARE(gCurrentWindow, QStringLiteral("frmInventory"));
    QVERIFY(window.toolWindow(QStringLiteral("frmInventory")));
}

void StartupTest::keyPressClosesTheSplash() {
    frmSplash splash;
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1.2  Build 0"));
    splash.show();
    QTest::keyClick(&splash, Qt::Key_Space);
    QVERIFY(!splash.isVisible());

    splash.show();
    QFrame* frame = splash.findChild<QFrame*>(QStringLiteral("Frame1"));
    QVERIFY(frame);
    QTest::mouseClick(frame, Qt::LeftButton);
    QVERIFY(!splash.isVisible());
}

void StartupTest::invalidDatabaseRefusedOnNo_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << "text";
    QTest::newRow("truncated database") << "truncated";
    QTest::newRow("database of another schema") << "other";
}

void StartupTest::invalidDatabaseRefusedOnNo() {
    QFETCH(QString, kind);
    GuiTestEnvironment env;
    if (kind == QLatin1String("text")) {
        writeFile(env.databaseFile(), "These are my notes, not a database.\n");
    } else if (kind == QLatin1String("truncated")) {
        {
            dvData data;
            data.setPath(env.filePath(QStringLiteral("whole.mdb")));
        }
        writeFile(env.databaseFile(),
                  readFile(env.filePath(QStringLiteral("whole.mdb"))).left(3000));
    } else {
        runSqlite(env.databaseFile(), QStringLiteral("CREATE TABLE tblItem (ItemID INTEGER);"));
    }
    const QByteArray before = readFile(env.databaseFile());

    ScriptedPrompts prompts;
    prompts.answerMessage(QMessageBox::No);
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::optional<int>(0));

    QCOMPARE(prompts.boxes().size(), 1);
    const ScriptedPrompts::Box& box = prompts.boxes().first();
    QCOMPARE(box.text, InvalidQuestion);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Qelto Domivo"));
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(readFile(env.databaseFile()), before);
    QVERIFY(!QFile::exists(env.filePath(QStringLiteral("data/Domivo.bad"))));
    QVERIFY(!gData);
    QVERIFY(!window.isVisible());
}

void StartupTest::invalidDatabaseRebuiltOnYes() {
    GuiTestEnvironment env;
    const QByteArray notes = "These are my notes, not a database.\n";
    writeFile(env.databaseFile(), notes);
    // An older copy of a damaged file is replaced.
    writeFile(env.filePath(QStringLiteral("data/Domivo.bad")), "older damage");
    Settings::setText(SettingKeys::LastCompact, QStringLiteral("2001-01-01"));

    ScriptedPrompts prompts;
    prompts.answerMessage(QMessageBox::Yes, InvalidQuestion);
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QCOMPARE(readFile(env.filePath(QStringLiteral("data/Domivo.bad"))), notes);
    QVERIFY(dvData::ValidDatabase(gData->connString()));
    QCOMPARE(rowCount(env.databaseFile(), QStringLiteral("tblType_Lkp")), 23);
    QCOMPARE(rowCount(env.databaseFile(), QStringLiteral("tblItem")), 0);
    const QDate lastCompact = DateText::parseDate(Settings::text(SettingKeys::LastCompact));
    const QDate lastBackup = DateText::parseDate(Settings::text(SettingKeys::LastBackup));
    QCOMPARE(lastCompact, QDate::currentDate());
    QCOMPARE(lastBackup, QDate::currentDate());
    QVERIFY(window.isVisible());
}

void StartupTest::invalidDatabaseKeptWhenItsCopyCannotBeMade() {
    GuiTestEnvironment env;
    const QByteArray notes = "These are my notes, not a database.\n";
    writeFile(env.databaseFile(), notes);
    // Something that is not a file stands where the copy must go.
    QVERIFY(QDir(env.dataFolder()).mkpath(QStringLiteral("Domivo.bad/inside")));

    ScriptedPrompts prompts;
    prompts.answerMessage(QMessageBox::Yes, InvalidQuestion);
    prompts.answerMessage(QMessageBox::Ok, QStringLiteral("Domivo.bad"));
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::optional<int>(1));

    QCOMPARE(prompts.boxes().last().icon, QMessageBox::Critical);
    QCOMPARE(readFile(env.databaseFile()), notes);
    QVERIFY(!gData);
}

void StartupTest::reminders_data() {
    QTest::addColumn<QString>("remindCompact");
    QTest::addColumn<QString>("compactDays");
    QTest::addColumn<int>("compactAge");
    QTest::addColumn<QString>("remindBackup");
    QTest::addColumn<QString>("backupDays");
    QTest::addColumn<int>("backupAge");
    QTest::addColumn<QStringList>("expected");

    const QString compact8 =
        QStringLiteral("You haven't compacted your Domivo database in 8 days.\r\n"
                       "Do you want to compact now?");
    QTest::newRow("compact: n + 1 days") << "1"
                                         << "7" << 8 << "0"
                                         << "" << 0 << QStringList{compact8};
    QTest::newRow("compact: n days") << "1"
                                     << "7" << 7 << "0"
                                     << "" << 0 << QStringList{};
    QTest::newRow("compact: date in the future") << "1"
                                                 << "7" << -8 << "0"
                                                 << "" << 0 << QStringList{compact8};
    QTest::newRow("compact: 0 days, done yesterday")
        << "1"
        << "0" << 1 << "0"
        << "" << 0
        << QStringList{QStringLiteral("You haven't compacted your Domivo database in 1 days.\r\n"
                                      "Do you want to compact now?")};
    QTest::newRow("compact: reminder off") << "0"
                                           << "7" << 100 << "0"
                                           << "" << 0 << QStringList{};
    QTest::newRow("backup: n + 1 days")
        << "0"
        << "" << 0 << "1"
        << "30" << 31
        << QStringList{
               QStringLiteral("You haven't made a backup of your Domivo database in 31 days.\r\n"
                              "Do you want to make a backup now?")};
    QTest::newRow("backup: n days") << "0"
                                    << "" << 0 << "1"
                                    << "30" << 30 << QStringList{};
    QTest::newRow("both, compact first")
        << "1"
        << "1" << 2 << "1"
        << "1" << 3
        << QStringList{QStringLiteral("in 2 days"), QStringLiteral("backup of your Domivo "
                                                                   "database in 3 days")};
}

void StartupTest::reminders() {
    QFETCH(QString, remindCompact);
    QFETCH(QString, compactDays);
    QFETCH(int, compactAge);
    QFETCH(QString, remindBackup);
    QFETCH(QString, backupDays);
    QFETCH(int, backupAge);
    QFETCH(QStringList, expected);

    GuiTestEnvironment env;
    const QDate today = QDate::currentDate();
    Settings::setText(SettingKeys::RemindCompact, remindCompact);
    if (!compactDays.isEmpty())
        Settings::setText(SettingKeys::CompactDays, compactDays);
    Settings::setText(SettingKeys::LastCompact, DateText::storageText(today.addDays(-compactAge)));
    Settings::setText(SettingKeys::RemindBackup, remindBackup);
    if (!backupDays.isEmpty())
        Settings::setText(SettingKeys::BackupDays, backupDays);
    // The date as a person's locale writes it is read as well.
    Settings::setText(SettingKeys::LastBackup, DateText::shortDate(today.addDays(-backupAge)));

    ScriptedPrompts prompts;
    for (const QString& text : expected)
        prompts.answerMessage(QMessageBox::No, text);
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QCOMPARE(prompts.boxes().size(), expected.size());
    for (const ScriptedPrompts::Box& box : prompts.boxes()) {
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.title, QStringLiteral("Qelto Domivo"));
    }
    if (expected.size() == 1 && expected.first().startsWith(QLatin1String("You")))
        QCOMPARE(prompts.boxes().first().text, expected.first());
}

void StartupTest::reminderYesOpensTheRegisteredWindow() {
    GuiTestEnvironment env;
    Settings::setText(SettingKeys::RemindCompact, QStringLiteral("1"));
    Settings::setText(SettingKeys::CompactDays, QStringLiteral("7"));
    Settings::setText(SettingKeys::LastCompact,
                      DateText::storageText(QDate::currentDate().addDays(-10)));
    Settings::setText(SettingKeys::RemindBackup, QStringLiteral("1"));
    Settings::setText(SettingKeys::BackupDays, QStringLiteral("7"));
    Settings::setText(SettingKeys::LastBackup,
                      DateText::storageText(QDate::currentDate().addDays(-10)));

    ScriptedPrompts prompts;
    prompts.answerMessage(QMessageBox::Yes, QStringLiteral("compacted"));
    prompts.answerMessage(QMessageBox::Yes, QStringLiteral("backup"));
    int compacts = 0;
    frmMain window(env.dataFolder());
    // Before its window is registered the backup command stays disabled and Yes opens nothing.
    QVERIFY(!window.menuItem(QStringLiteral("mnuFile_Compact"))->isEnabled());
    window.registerCommand(QStringLiteral("mnuFile_Compact"), [&] { ++compacts; });
    QVERIFY(window.menuItem(QStringLiteral("mnuFile_Compact"))->isEnabled());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);

    QCOMPARE(compacts, 1);
    QCOMPARE(prompts.boxes().size(), 2);
    QVERIFY(!window.menuItem(QStringLiteral("mnuFile_Backup"))->isEnabled());
}

void StartupTest::exitReleasesTheDatabaseWithoutAQuestion() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain window(env.dataFolder());
    QCOMPARE(window.MDIForm_Load(), std::nullopt);
    QSignalSpy ended(&window, &frmMain::ended);

    window.menuItem(QStringLiteral("mnuFile_Exit"))->trigger();

    QCOMPARE(ended.count(), 1);
    QVERIFY(!gData);
    QVERIFY(!window.isVisible());
    QVERIFY(prompts.boxes().isEmpty());
}

void StartupTest::commandLine() {
    GuiTestEnvironment env;
    const QString app = QStringLiteral(DOMIVO_APP_PATH);

    ProcessResult version =
        runProcess(app, {QStringLiteral("--version")}, env.processEnvironment());
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out.trimmed(), QStringLiteral("domivo 1.2.0"));

    ProcessResult help = runProcess(app, {QStringLiteral("--help")}, env.processEnvironment());
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains(QLatin1String("--data-dir DIR")));

    ProcessResult wrong = runProcess(app, {QStringLiteral("--colour")}, env.processEnvironment());
    QCOMPARE(wrong.exitCode, 2);
    QVERIFY(wrong.err.contains(QLatin1String("unknown option --colour")));

    ProcessResult missing =
        runProcess(app, {QStringLiteral("--data-dir")}, env.processEnvironment());
    QCOMPARE(missing.exitCode, 2);
}

DOMIVO_GUI_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
