// Start-up and shutdown of the desktop application: the database found, created, refused or
// rebuilt; the splash; the first tool window; the compact and backup reminders; the command
// line of the executable.

#include "GuiTest.h"

#include "app/Clock.h"
#include "app/ToolWindow.h"
#include "app/frmSplash.h"
#include "data/Connection.h"

#include <QDir>
#include <QElapsedTimer>

namespace {

const QString InvalidQuestion = "Your Qelto Domivo database is not valid.  Click YES to build a "
                                "new database or NO to exit the program";
const QByteArray Notes = "These are my notes, not a database.\n";

// A first tool window that notes whether the splash was still up when it opened.
class FirstWindow : public ToolWindow {
public:
    FirstWindow()
        : ToolWindow("frmInventory", "- Home Inventory") {}
    void Form_Load() override {
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
    void firstStartCreatesTheDatabaseAndOpensTheInventory() {
        GuiTestEnvironment env;
        ScriptedPrompts prompts;
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::nullopt);

        QVERIFY(prompts.boxes().isEmpty());
        QVERIFY(window.isVisible() && !window.splash()->isVisible());
        QCOMPARE(gData->PhysicalPath(), env.databaseFile());
        QVERIFY(dvData::ValidDatabase(gData->connString()));
        QVERIFY(window.toolWindow("frmInventory")->isVisible());
        QCOMPARE(window.windowTitle(), QString("Qelto Domivo- Home Inventory"));

        // Exit releases the database without a question.
        QSignalSpy ended(&window, &frmMain::ended);
        window.menuItem("mnuFile_Exit")->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!gData && !window.isVisible());
        QVERIFY(prompts.boxes().isEmpty());
    }

    void splashStaysForTheWaitThenTheFirstToolWindowOpens() {
        GuiTestEnvironment env;
        ScriptedPrompts prompts;
        frmMain::setStartupWaitForTesting(400);
        frmMain window(env.dataFolder());
        window.registerToolWindow("Inventory", [] { return new FirstWindow; });
        bool splashShownDuringWait = false;
        QTimer::singleShot(0, &window,
                           [&] { splashShownDuringWait = window.splash()->isVisible(); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(window.MDIForm_Load(), std::nullopt);

        QVERIFY(clock.elapsed() >= 400);
        QVERIFY(splashShownDuringWait);
        QCOMPARE(FirstWindow::loads, 1);
        QVERIFY(!FirstWindow::splashVisibleAtLoad);

        // A key or a click closes the splash at once.
        frmSplash* splash = window.splash();
        QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(), QString("Version 1.2  Build 0"));
        splash->show();
        QTest::keyClick(splash, Qt::Key_Space);
        QVERIFY(!splash->isVisible());
        splash->show();
        QTest::mouseClick(splash->findChild<QWidget*>("Frame1"), Qt::LeftButton);
        QVERIFY(!splash->isVisible());
    }

    void invalidDatabaseKeptOnNo() {
        GuiTestEnvironment env;
        writeFile(env.databaseFile(), Notes);
        ScriptedPrompts prompts;
        prompts.answerMessage(QMessageBox::No, InvalidQuestion);
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::optional<int>(0));

        const ScriptedPrompts::Box& box = prompts.boxes().first();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(readFile(env.databaseFile()), Notes);
        QVERIFY(!QFile::exists(env.dataFolder() + "/Domivo.bad"));
        QVERIFY(!gData && !window.isVisible());
    }

    void invalidDatabaseRebuiltOnYes() {
        GuiTestEnvironment env;
        writeFile(env.databaseFile(), Notes);
        // An older copy of a damaged file is replaced.
        writeFile(env.dataFolder() + "/Domivo.bad", "older damage");
        Settings::setText(SettingKeys::LastCompact, "2001-01-01");
        ScriptedPrompts prompts;
        prompts.answerMessage(QMessageBox::Yes, InvalidQuestion);
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::nullopt);

        QCOMPARE(readFile(env.dataFolder() + "/Domivo.bad"), Notes);
        QVERIFY(dvData::ValidDatabase(gData->connString()));
        QCOMPARE(runSqlite(env.databaseFile(), "SELECT count(*) FROM tblType_Lkp"), "23\n");
        QCOMPARE(DateText::parseDate(Settings::text(SettingKeys::LastCompact)),
                 QDate::currentDate());
        QCOMPARE(DateText::parseDate(Settings::text(SettingKeys::LastBackup)),
                 QDate::currentDate());
        QVERIFY(window.isVisible());
    }

    void invalidDatabaseKeptWhenItsCopyCannotBeMade() {
        GuiTestEnvironment env;
        writeFile(env.databaseFile(), Notes);
        // Something that is not a file stands where the copy must go.
        QVERIFY(QDir(env.dataFolder()).mkpath("Domivo.bad/inside"));
        ScriptedPrompts prompts;
        prompts.answerMessage(QMessageBox::Yes, InvalidQuestion);
        prompts.answerMessage(QMessageBox::Ok, "Domivo.bad");
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::optional<int>(1));

        QCOMPARE(prompts.boxes().last().icon, QMessageBox::Critical);
        QCOMPARE(readFile(env.databaseFile()), Notes);
        QVERIFY(!gData);
    }

    void troubleOtherThanAForeignFileIsNamedNeverOfferedForRebuilding() {
        GuiTestEnvironment env;
        dvData().setPath(env.databaseFile());
        const QByteArray before = readFile(env.databaseFile());
        // Another program holds the database locked beyond the busy timeout (shortened here).
        Connection::setBusyTimeout(100);
        Connection holder = Connection::openFile(env.databaseFile());
        holder.execute("BEGIN EXCLUSIVE");
        ScriptedPrompts prompts;
        prompts.answerMessage(QMessageBox::Ok, "is in use by another program (database is locked)");
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::optional<int>(1));
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);

        QCOMPARE(prompts.boxes().size(), 1);
        QCOMPARE(prompts.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(readFile(env.databaseFile()), before);
        QVERIFY(!QFile::exists(env.dataFolder() + "/Domivo.bad"));
        QVERIFY(!gData && !window.isVisible());
    }

    void reminders_data() {
        QTest::addColumn<int>("compactDays"); // -1: no reminder
        QTest::addColumn<int>("compactAge");
        QTest::addColumn<int>("backupDays");
        QTest::addColumn<int>("backupAge");
        QTest::addColumn<QStringList>("expected");
        const QString compact = "You haven't compacted your Domivo database in %1 days.\r\n"
                                "Do you want to compact now?";
        const QString backup = "You haven't made a backup of your Domivo database in %1 days.\r\n"
                               "Do you want to make a backup now?";
        QTest::newRow("compact: n + 1 days") << 7 << 8 << -1 << 0 << QStringList{compact.arg(8)};
        QTest::newRow("compact: n days") << 7 << 7 << -1 << 0 << QStringList{};
        QTest::newRow("compact: date in the future")
            << 7 << -8 << -1 << 0 << QStringList{compact.arg(8)};
        QTest::newRow("compact: 0 days, done yesterday")
            << 0 << 1 << -1 << 0 << QStringList{compact.arg(1)};
        QTest::newRow("backup: n + 1 days") << -1 << 100 << 30 << 31 << QStringList{backup.arg(31)};
        QTest::newRow("backup: n days") << -1 << 0 << 30 << 30 << QStringList{};
        QTest::newRow("both, compact first")
            << 1 << 2 << 1 << 3 << QStringList{compact.arg(2), backup.arg(3)};
    }
    void reminders() {
        QFETCH(int, compactDays);
        QFETCH(int, compactAge);
        QFETCH(int, backupDays);
        QFETCH(int, backupAge);
        QFETCH(QStringList, expected);
        GuiTestEnvironment env;
        // Just before midnight: days are counted by calendar date, not by hours.
        Clock::setNow(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
        const QDate today = Clock::today();
        Settings::setText(SettingKeys::RemindCompact, compactDays >= 0 ? "1" : "0");
        Settings::setInteger(SettingKeys::CompactDays, compactDays);
        Settings::setText(SettingKeys::LastCompact,
                          DateText::storageText(today.addDays(-compactAge)));
        Settings::setText(SettingKeys::RemindBackup, backupDays >= 0 ? "1" : "0");
        Settings::setInteger(SettingKeys::BackupDays, backupDays);
        // The date as a person's locale writes it is read as well.
        Settings::setText(SettingKeys::LastBackup, DateText::shortDate(today.addDays(-backupAge)));

        ScriptedPrompts prompts;
        for (const QString& text : expected)
            prompts.answerMessage(QMessageBox::No, text);
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::nullopt);
        QCOMPARE(prompts.boxes().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(prompts.boxes().at(i).text, expected.at(i));
            QCOMPARE(prompts.boxes().at(i).icon, QMessageBox::Question);
            QCOMPARE(prompts.boxes().at(i).buttons, QMessageBox::Yes | QMessageBox::No);
        }
    }

    void reminderYesOpensTheRegisteredWindow() {
        GuiTestEnvironment env;
        const QString tenDaysAgo = DateText::storageText(QDate::currentDate().addDays(-10));
        for (const SettingKey& key : {SettingKeys::RemindCompact, SettingKeys::RemindBackup})
            Settings::setText(key, "1");
        for (const SettingKey& key : {SettingKeys::CompactDays, SettingKeys::BackupDays})
            Settings::setText(key, "7");
        for (const SettingKey& key : {SettingKeys::LastCompact, SettingKeys::LastBackup})
            Settings::setText(key, tenDaysAgo);
        ScriptedPrompts prompts;
        prompts.answerMessage(QMessageBox::Yes, "compacted");
        prompts.answerMessage(QMessageBox::Yes, "backup");
        // The compact window, then the backup window, each closed as it appears.
        QStringList opened;
        std::function<void(QWidget*)> close = [&](QWidget* dialog) {
            opened << dialog->objectName();
            if (opened.size() == 1)
                whenModalShown(close);
            click(dialog, "cmdCancel");
        };
        whenModalShown(close);
        frmMain window(env.dataFolder());
        QCOMPARE(window.MDIForm_Load(), std::nullopt);
        QCOMPARE(opened, (QStringList{"frmCompact", "frmBackup"}));
    }

    void commandLine() {
        GuiTestEnvironment env;
        const auto run = [&](const QStringList& args) {
            return runProcess(DOMIVO_APP_PATH, args, env.processEnvironment());
        };
        QCOMPARE(run({"--version"}).out.trimmed(), QString("domivo 1.2.0"));
        const ProcessResult help = run({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("--data-dir DIR"));
        const ProcessResult wrong = run({"--colour"});
        QCOMPARE(wrong.exitCode, 2);
        QVERIFY(wrong.err.contains("unknown option --colour"));
        // Qt's own options are left to Qt; a missing value is still refused.
        const ProcessResult missing = run({"-platform", "offscreen", "--data-dir"});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY2(missing.err.startsWith("domivo: Missing value after '--data-dir'"),
                 qPrintable(missing.err));
    }
};

DOMIVO_GUI_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
