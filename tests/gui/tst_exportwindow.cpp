// The export window: its lists, Browse with the path check, the three refusals in order, an
// export from the File menu to the end, a stopped export and a file that cannot be written.

#include "ExportReaders.h"
#include "GuiTest.h"

#include "windows/export/frmExport.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>

namespace {

// A database with one item and a collection Coins (fields Year and Mint) of one coin.
void seedCoins(const QString& databaseFile) {
    runSqlite(databaseFile,
              "INSERT INTO tblItem (ItemNM, ManufacturerNM, TypeTX, LocationTX) VALUES "
              "('Radio, old', 'Zenith', 'Electronics', 'Kitchen');"
              "INSERT INTO tblCollection VALUES ('Coins', NULL);"
              "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL), "
              "('Coins', 1, 'Mint', 0, 0, NULL);"
              "INSERT INTO tblCollectionItem VALUES (1, 'Penny', 'Coins', 5000, 0, 0, NULL, "
              "'2024-03-01');"
              "INSERT INTO tblCollectionItemField VALUES (1, 0, '1909'), (1, 1, 'S');");
}

// The export window over a seeded database, shown without its own event loop.
struct Export : GuiDatabase {
    ScriptedPrompts prompts;
    frmExport dialog;

    Export() {
        seedCoins(databaseFile());
        dialog.show();
    }
    ~Export() { frmExport::setProgressDelayForTesting(500); }
    QComboBox* table() { return child<QComboBox>(&dialog, "cboExportWhat"); }
    QListWidget* formats() { return child<QListWidget>(&dialog, "lstExportFormat"); }
    QString fileName() { return child<QLabel>(&dialog, "lblFileName")->text(); }
    void choose(const QString& entry, int format, const QString& file) {
        table()->setCurrentIndex(table()->findText(entry));
        formats()->setCurrentRow(format);
        prompts.answerFile(file);
        click(&dialog, "cmdBrowse");
    }
};

// Stops the export as soon as its progress window shows, as a person pressing its Cancel.
class CancelOnShow : public QObject {
public:
    bool shown = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "prgExport") {
            shown = true;
            static_cast<QProgressDialog*>(watched)->cancel();
        }
        return false;
    }
};

} // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void listsAndTheRefusalsInOrder() {
        Export window;
        QCOMPARE(window.dialog.windowTitle(), QString("Export Domivo Data"));
        QCOMPARE(texts(window.table()),
                 (QStringList{"Inventory Items", "Inventory Type List", "Inventory Location List",
                              "Collection 'Coins'"}));
        QCOMPARE(window.table()->currentIndex(), -1);
        QCOMPARE(texts(window.formats()),
                 (QStringList{"Comma-Separated Values (.csv)", "Tab-Separated Values (.tsv)",
                              "Extended Markup Language (.xml)"}));
        QCOMPARE(window.fileName(), QString());
        QVERIFY(child<QPushButton>(&window.dialog, "cmdExport")->isDefault());
        window.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window.dialog));

        window.prompts.answerMessage(QMessageBox::Ok, "Please select the table you wish to export");
        click(&window.dialog, "cmdExport");
        QVERIFY(hasFocus(window.table()));
        window.table()->setCurrentIndex(0);
        window.prompts.answerMessage(QMessageBox::Ok,
                                     "Please select the format you wish to export to");
        click(&window.dialog, "cmdExport");
        QVERIFY(hasFocus(window.formats()));
        window.formats()->setCurrentRow(1);
        window.prompts.answerMessage(QMessageBox::Ok, "Please choose an export file");
        click(&window.dialog, "cmdExport");
        QVERIFY(hasFocus(child<QPushButton>(&window.dialog, "cmdBrowse")));
        for (const ScriptedPrompts::Box& box : window.prompts.boxes()) {
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.title, QString("Export Domivo Data"));
        }
        QVERIFY(window.dialog.isVisible());
    }

    void browseTakesAFileInAFolderThatExists() {
        Export window;
        const QString empty = window.filePath("empty folder");
        QDir().mkpath(empty);
        window.prompts.answerFile(empty + "/coins.csv");
        click(&window.dialog, "cmdBrowse");
        QCOMPARE(window.fileName(), empty + "/coins.csv");
        QCOMPARE(window.prompts.fileCaptions(), QStringList{"Browse for Export File"});

        window.prompts.answerFile(window.filePath("no such folder/coins.csv"));
        window.prompts.answerMessage(QMessageBox::Ok, "The path you selected does not exist.");
        click(&window.dialog, "cmdBrowse");
        QCOMPARE(window.prompts.boxes().last().title, QString("Browse for Export File"));
        QCOMPARE(window.prompts.boxes().last().icon, QMessageBox::Warning);
        window.prompts.answerFile(""); // cancelled
        click(&window.dialog, "cmdBrowse");
        QCOMPARE(window.fileName(), empty + "/coins.csv");
    }

    void fileExportWritesTheChosenTableAndCloses() {
        GuiApp app([](const dvData& data) { seedCoins(data.Path()); });
        const QString path = app.env.filePath("coins.csv");
        writeFile(path, "an older export");
        app.prompts.answerFile(path);
        app.prompts.answerMessage(QMessageBox::Ok, "Export complete");
        bool closed = false;
        whenModalShown([&](QWidget* dialog) {
            auto* table = child<QComboBox>(dialog, "cboExportWhat");
            table->setCurrentIndex(table->findText("Collection 'Coins'"));
            child<QListWidget>(dialog, "lstExportFormat")->setCurrentRow(0);
            click(dialog, "cmdBrowse");
            click(dialog, "cmdExport");
            closed = !dialog->isVisible();
        });
        app.main->menuItem("mnuFile_Export")->trigger();
        QVERIFY(closed);
        // No warning about commas: values holding one are quoted.
        QCOMPARE(app.prompts.boxes().size(), 1);
        QCOMPARE(app.prompts.boxes()[0].icon, QMessageBox::Information);
        QCOMPARE(app.prompts.boxes()[0].title, QString("Export Domivo Data"));
        QCOMPARE(readDelimited(readFile(path), ','),
                 (QList<QStringList>{
                     {"ItemID", "ItemNM", "CollectionNM", "PurchasePriceAM", "AppraisalPriceAM",
                      "ReplacePriceAM", "LastChangeDT", "Year", "Mint", ""},
                     {"1", "Penny", "Coins", "0.5", "0", "0", "3/1/2024", "1909", "S", ""}}));
    }

    void aStoppedExportLeavesTheFileAndTheWindowOpen() {
        Export window;
        const QString path = window.filePath("items.xml");
        writeFile(path, "an older export");
        window.choose("Inventory Items", 2, path);
        frmExport::setProgressDelayForTesting(0);
        CancelOnShow canceller;
        qApp->installEventFilter(&canceller);
        click(&window.dialog, "cmdExport");
        qApp->removeEventFilter(&canceller);
        QVERIFY(canceller.shown);
        QCOMPARE(readFile(path), QByteArray("an older export"));
        QCOMPARE(QDir(window.root()).entryList(QDir::Files), QStringList{"items.xml"});
        QVERIFY(window.dialog.isVisible());
        QVERIFY(window.dialog.cancelled());

        // Without stopping it, the same export goes through.
        window.prompts.answerMessage(QMessageBox::Ok, "Export complete");
        click(&window.dialog, "cmdExport");
        QCOMPARE(readRowsetXml(readFile(path)).rows.size(), 1);
        QVERIFY(!window.dialog.isVisible());
        QVERIFY(!window.dialog.cancelled());
    }

    void aFileThatCannotBeWrittenIsReported() {
        Export window;
        const QString path = window.filePath("types.tsv");
        writeFile(path, "kept");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        window.choose("Inventory Type List", 1, path);
        window.prompts.answerMessage(QMessageBox::Ok, "read-only");
        click(&window.dialog, "cmdExport");
        QCOMPARE(window.prompts.boxes().last().icon, QMessageBox::Critical);
        QCOMPARE(readFile(path), QByteArray("kept"));
        QVERIFY(window.dialog.isVisible());
    }
};

DOMIVO_GUI_TEST_MAIN(ExportWindowTest)
#include "tst_exportwindow.moc"
