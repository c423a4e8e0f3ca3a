// The compact, backup and restore windows: their texts, the checks of a chosen file with their
// messages, the buttons' states, the work itself with its progress, a cancel and a full disk
// in the middle (the database left as it was), and the restored data shown by the tool window.

#include "FullDisk.h"
#include "GuiTest.h"

#include "app/Clock.h"
#include "app/ToolWindow.h"
#include "data/DataChanges.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"
#include "windows/maintenance/frmBackup.h"
#include "windows/maintenance/frmCompact.h"
#include "windows/maintenance/frmRestore.h"

#include <QDir>
#include <QProgressBar>

namespace {

const QDateTime Now(QDate(2026, 6, 9), QTime(9, 15));
const QString Filter = "Qelto Domivo Backup File (*.DVB)";

QString labelText(const QWidget* dialog, const char* name) {
    return child<QLabel>(dialog, name)->text();
}
bool enabled(const QWidget* dialog, const char* name) {
    return child<QPushButton>(dialog, name)->isEnabled();
}

// Items, and then the deletion of most of them, which leaves a file worth compacting.
void addItems(const QString& database, int count, bool deleteThem = false) {
    runSqlite(database,
              QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                      "%1) INSERT INTO tblItem (ItemNM, CommentsTX) SELECT 'Item ' || i, "
                      "printf('%.200c', 'x') FROM n;%2")
                  .arg(count)
                  .arg(deleteThem ? " DELETE FROM tblItem WHERE ItemNM LIKE 'Item %';" : ""));
}

QString itemNames(const QString& database) {
    return runSqlite(database, "SELECT group_concat(ItemNM) FROM tblItem;").trimmed();
}

QStringList leftovers(const TestEnvironment& env) {
    QStringList found;
    for (const QString& folder : {env.root(), env.dataFolder()})
        found += QDir(folder).entryList({"*.partial*"}, QDir::Files | QDir::Hidden);
    return found;
}

// A window of this test on a database of its own, with every prompt scripted.
template <class Dialog> struct Window : GuiDatabase {
    ScriptedPrompts prompts;
    std::unique_ptr<Dialog> dialog;

    Window() { Clock::setNow(Now); }
    ~Window() { Clock::setNow({}); }
    Dialog* open() {
        dialog = std::make_unique<Dialog>();
        dialog->show();
        return dialog.get();
    }
    // Chooses a file through Browse..., expecting a message box when `message` is given.
    void browse(const QString& file, const QString& message = {},
                QMessageBox::StandardButton answer = QMessageBox::Ok) {
        prompts.answerFile(file);
        if (!message.isEmpty())
            prompts.answerMessage(answer, message);
        click(dialog.get(), "cmdBrowse");
    }
    // Waits until the job under way has ended, however it ended.
    void waitForJob() { QTRY_VERIFY_WITH_TIMEOUT(!dialog->isRunning(), 30000); }
};

} // namespace

class MaintenanceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void compactShowsTheSizesAndStaysOpen() {
        Window<frmCompact> w;
        // Enough deleted rows that the freed pages outweigh the empty tables many times over.
        addItems(w.databaseFile(), 4000, true);
        Settings::setText(SettingKeys::LastCompact, "2026-05-01");
        const qint64 before = QFileInfo(w.databaseFile()).size();
        QSignalSpy replaced(&DataChanges::instance(), &DataChanges::databaseReplaced);
        frmCompact* dialog = w.open();

        QCOMPARE(dialog->windowTitle(), QString("Compact Database"));
        QVERIFY(labelText(dialog, "lblCompact1").startsWith("With normal use (adding, updating"));
        QVERIFY(labelText(dialog, "lblCompact2").endsWith("to free up the unused space."));
        QCOMPARE(labelText(dialog, "lblLastCompact"), QString("Last compacted on 5/1/2026"));
        QCOMPARE(labelText(dialog, "lblBefore"), MaintenanceText::sizeBeforeCompact(before));
        QVERIFY(!child<QLabel>(dialog, "lblAfter")->isVisible());
        QVERIFY(child<QPushButton>(dialog, "cmdCompact")->isDefault());
        QCOMPARE(child<QPushButton>(dialog, "cmdCompact")->text(), QString("C&ompress"));

        click(dialog, "cmdCompact");
        QVERIFY(dialog->isRunning() && !enabled(dialog, "cmdCompact"));
        w.waitForJob();
        const qint64 after = QFileInfo(w.databaseFile()).size();
        QVERIFY(after < before / 4);
        QVERIFY(child<QLabel>(dialog, "lblAfter")->isVisible());
        QCOMPARE(labelText(dialog, "lblAfter"), MaintenanceText::sizeAfterCompact(after));
        QVERIFY(!enabled(dialog, "cmdCompact"));
        QCOMPARE(child<QPushButton>(dialog, "cmdCancel")->text(), QString("&OK"));
        QCOMPARE(child<QProgressBar>(dialog, "prgProgress")->value(), 100);
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(Settings::text(SettingKeys::LastCompact), QString("2026-06-09"));
        QVERIFY(dialog->isVisible());
        click(dialog, "cmdCancel");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(QFileInfo(w.databaseFile()).size(), after);
        QCOMPARE(runSqlite(w.databaseFile(), "SELECT count(*) FROM tblType_Lkp;"), QString("23\n"));
    }

    void compactCancelledOrFailedChangesNothing() {
        Window<frmCompact> w;
        addItems(w.databaseFile(), 6000);
        const QByteArray bytes = readFile(w.databaseFile());
        QSignalSpy replaced(&DataChanges::instance(), &DataChanges::databaseReplaced);
        frmCompact* dialog = w.open();

        // A full disk in the middle: the cause is shown, and the window stays ready.
        w.prompts.answerMessage(QMessageBox::Ok, "The database could not be compacted:\n");
        {
            FullDisk full(bytes.size() / 3);
            click(dialog, "cmdCompact");
            w.waitForJob();
        }
        QCOMPARE(w.prompts.boxes().last().icon, QMessageBox::Critical);
        QVERIFY(w.prompts.boxes().last().text.endsWith("\n\nNothing was changed."));
        QCOMPARE(readFile(w.databaseFile()), bytes);
        QVERIFY(enabled(dialog, "cmdCompact"));
        QVERIFY(!child<QLabel>(dialog, "lblAfter")->isVisible());

        // Cancel as soon as the bar moves.
        auto* bar = child<QProgressBar>(dialog, "prgProgress");
        QObject::connect(bar, &QProgressBar::valueChanged, dialog, [&](int value) {
            if (value > 0 && dialog->isVisible())
                click(dialog, "cmdCancel");
        });
        click(dialog, "cmdCompact");
        w.waitForJob();
        QVERIFY(bar->value() > 0 && bar->value() < 100);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(readFile(w.databaseFile()), bytes);
        QCOMPARE(leftovers(w), QStringList());
        QCOMPARE(replaced.count(), 0);
        QVERIFY(Settings::text(SettingKeys::LastCompact).isEmpty());
    }

    void backupChecksTheChosenFile() {
        Window<frmBackup> w;
        frmBackup* dialog = w.open();
        QCOMPARE(dialog->windowTitle(), QString("Backup Database"));
        QVERIFY(labelText(dialog, "lblBackup")
                    .startsWith("This function allows you to create a "
                                "mirror-image backup"));
        QCOMPARE(labelText(dialog, "hdgFilename"),
                 QString("Select a filename to use for the backup file"));
        QCOMPARE(labelText(dialog, "lblLastBackup"), QString());
        QVERIFY(!enabled(dialog, "cmdBackup"));

        w.browse(w.filePath("home.mdb"), MaintenanceText::wrongExtension());
        QCOMPARE(w.prompts.fileDialogs().last().caption, QString("Specify Backup Filename"));
        QVERIFY(w.prompts.fileDialogs().last().folder.endsWith("/*.DVB"));
        QCOMPARE(w.prompts.fileDialogs().last().filter, Filter);
        QCOMPARE(w.prompts.boxes().last().icon, QMessageBox::Warning);
        QCOMPARE(w.prompts.boxes().last().title, QString("Backup Database"));
        QCOMPARE(labelText(dialog, "lblFileName"), QString());
        QVERIFY(!enabled(dialog, "cmdBackup"));

        w.browse(w.filePath("nowhere/home.DVB"), "The path you selected does not exist.");
        QCOMPARE(w.prompts.boxes().last().title, QString("Specify Backup Filename"));
        QVERIFY(!enabled(dialog, "cmdBackup"));

        // Letter case aside.
        w.browse(w.filePath("home.dvb"));
        QCOMPARE(labelText(dialog, "lblFileName"), w.filePath("home.dvb"));
        QVERIFY(enabled(dialog, "cmdBackup"));

        const QString overwrite = "The specified filename is already in use.\r\nDo you want to "
                                  "overwrite the existing file with a new Domivo backup?";
        writeFile(w.filePath("old.DVB"), "an older backup");
        w.browse(w.filePath("old.DVB"), overwrite, QMessageBox::No);
        QCOMPARE(labelText(dialog, "lblFileName"), QString());
        QVERIFY(!enabled(dialog, "cmdBackup"));
        QCOMPARE(readFile(w.filePath("old.DVB")), QByteArray("an older backup"));

        w.browse(w.filePath("old.DVB"), overwrite, QMessageBox::Yes);
        QVERIFY(enabled(dialog, "cmdBackup"));
        w.prompts.answerMessage(QMessageBox::Ok, "Qelto Domivo data successfully backed up");
        click(dialog, "cmdBackup");
        w.waitForJob();
        QCOMPARE(w.prompts.boxes().last().icon, QMessageBox::Information);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(runSqlite(w.filePath("old.DVB"), "SELECT * FROM tblBackup;"),
                 QString("2026-06-09 09:15:00\n"));
        QCOMPARE(Settings::text(SettingKeys::LastBackup), QString("2026-06-09"));
        QCOMPARE(w.open()->findChild<QLabel*>("lblLastBackup")->text(),
                 QString("Last backup on 6/9/2026"));
    }

    void restoreChecksTheFileAndAsks() {
        Window<frmRestore> w;
        const QString live = w.databaseFile();
        runSqlite(live, "INSERT INTO tblItem (ItemNM) VALUES ('Chair');");
        const QString backup = w.filePath("home.DVB");
        MaintenanceJob::backup(live, backup, false)->run();
        runSqlite(live, "INSERT INTO tblItem (ItemNM) VALUES ('Table');");
        QFile::copy(live, w.filePath("live.DVB"));
        const QByteArray bytes = readFile(live);

        frmRestore* dialog = w.open();
        QCOMPARE(dialog->windowTitle(), QString("Restore Domivo Database"));
        QCOMPARE(labelText(dialog, "hdgFilename"), QString("Select the backup file to restore"));
        QVERIFY(!enabled(dialog, "cmdRestore"));

        // The database itself under a backup's name is not a backup.
        w.browse(w.filePath("live.DVB"), "This is not a valid Qelto Domivo backup file.");
        QCOMPARE(w.prompts.fileDialogs().last().caption, QString("Select Backup File to Restore"));
        QCOMPARE(w.prompts.fileDialogs().last().filter, Filter);
        QCOMPARE(labelText(dialog, "lblFileName"), QString());
        w.browse(live, MaintenanceText::wrongExtension());
        QVERIFY(!enabled(dialog, "cmdRestore"));
        w.browse(backup);
        QVERIFY(enabled(dialog, "cmdRestore"));

        QFile::rename(backup, backup + ".away");
        w.prompts.answerMessage(QMessageBox::Ok, "Backup file not found.");
        click(dialog, "cmdRestore");
        QVERIFY(dialog->isVisible());
        QFile::rename(backup + ".away", backup);

        const QString question = "Are you sure you want to replace the current Qelto Domivo data "
                                 "with the specified backup file?\r\n\r\nNOTE: You cannot undo "
                                 "this action.";
        w.prompts.answerMessage(QMessageBox::No, question);
        click(dialog, "cmdRestore");
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->wasCancelled());
        QCOMPARE(readFile(live), bytes);

        QSignalSpy replaced(&DataChanges::instance(), &DataChanges::databaseReplaced);
        dialog = w.open();
        w.browse(backup);
        w.prompts.answerMessage(QMessageBox::Yes, question);
        w.prompts.answerMessage(QMessageBox::Ok, "Qelto Domivo database successfully restored.");
        click(dialog, "cmdRestore");
        w.waitForJob();
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->wasCancelled());
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(itemNames(live), QString("Chair"));
    }

    void restoreFromTheMenuReopensTheToolWindow() {
        GuiApp app([](const dvData& data) {
            runSqlite(data.Path(), "INSERT INTO tblItem (ItemNM) VALUES ('Chair');");
        });
        const QString backup = app.env.filePath("home.DVB");
        MaintenanceJob::backup(app.env.databaseFile(), backup, false)->run();
        runSqlite(app.env.databaseFile(), "DELETE FROM tblItem;");
        emit DataChanges::instance().itemsChanged();
        const ToolWindow* before = app.main->toolWindow();
        QCOMPARE(columnTexts(child<GridView>(before, "lvwItems"), "Item"), QStringList());

        app.prompts.answerFile(backup);
        app.prompts.answerMessage(QMessageBox::Yes, "Are you sure");
        app.prompts.answerMessage(QMessageBox::Ok, "successfully restored");
        whenModalShown([](QWidget* dialog) {
            click(dialog, "cmdBrowse");
            click(dialog, "cmdRestore");
        });
        app.main->menuItem("mnuFile_Restore")->trigger();
        const ToolWindow* after = app.main->toolWindow();
        QVERIFY(after && after != before);
        QCOMPARE(gCurrentWindow(), QString("frmInventory"));
        QCOMPARE(columnTexts(child<GridView>(after, "lvwItems"), "Item"), QStringList{"Chair"});
    }
};

DOMIVO_GUI_TEST_MAIN(MaintenanceWindowsTest)
#include "tst_maintenancewindows.moc"
