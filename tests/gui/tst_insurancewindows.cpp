// The warranty list at start-up (once a day, only when a warranty runs out soon), marking the
// inventory window's selected items in an incident, the incidents window with its claim page
// and CSV, and the coverage window's limits.

#include "ExportReaders.h"
#include "GuiTest.h"

#include "app/BrowserOpen.h"
#include "app/CommandNames.h"
#include "app/ToolWindow.h"
#include "insurance/CoverageStore.h"
#include "insurance/IncidentStore.h"
#include "windows/insurance/frmCoverage.h"
#include "windows/insurance/frmIncidents.h"

#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

const QDateTime Now(QDate(2026, 3, 10), QTime(9, 0));

// A kettle whose warranty runs out in 3 days, a drill's in 40, a ring without one.
void seed(const dvData& data) {
    runSqlite(data.Path(),
              "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, TypeTX, "
              "LocationTX, PurchasePriceAM, ReplacePriceAM, WarrantyCD, WarrantyExpireDT) VALUES "
              "(1, 'Bosch', 'Kettle', 'K1', 'Appliances', 'Kitchen', 400000, 0, 1, '2026-03-13'), "
              "(2, 'Makita', 'Drill', 'D2', 'Tools', 'Garage', 1500000, 0, 1, '2026-04-19'), "
              "(3, 'Tiffany', 'Ring', NULL, 'Jewelry', 'Safe', 20000000, 25000000, 0, NULL);");
}

// Starts the program on `env` (already seeded) and returns the texts of the grid of the
// warranty list when start-up showed one.
std::optional<QStringList> warrantiesShownAtStart(const GuiTestEnvironment& env) {
    std::optional<QStringList> shown;
    whenModalShown([&](QWidget* dialog) {
        if (dialog->objectName() == "frmWarranties") {
            const auto* grid = child<GridView>(dialog, "lvwWarranties");
            QStringList rows;
            for (int row = 0; row < grid->rowCount(); ++row) {
                QStringList cells;
                for (int column = 1; column < grid->columnCount(); ++column)
                    cells << grid->text(row, column);
                rows << cells.join('|');
            }
            shown = rows;
        }
        click(dialog, "cmdOK");
    });
    frmMain window(env.dataFolder());
    if (window.MDIForm_Load() != std::nullopt)
        QTest::qFail("the application did not start", __FILE__, __LINE__);
    const std::optional<QStringList> atStart = shown;
    // A poll still waiting for a dialog is answered by one opened on purpose, and closed.
    if (!atStart)
        window.runMenuCommand(MenuItem::ToolsWarranties);
    return atStart;
}

} // namespace

class InsuranceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Clock::setNow(Now); }
    void cleanup() { Clock::setNow({}); }

    void warrantyListAtStartOnceADay() {
        GuiTestEnvironment env;
        {
            dvData data;
            data.setPath(env.databaseFile());
            seed(data);
        }
        ScriptedPrompts prompts;
        QCOMPARE(warrantiesShownAtStart(env),
                 std::optional(QStringList{"Bosch|Kettle|K1|3/13/2026|3"}));
        QCOMPARE(Settings::text(SettingKeys::LastWarrantyReminder), QString("2026-03-10"));
        // Not again the same day; the next day, looking 40 days ahead, both.
        QCOMPARE(warrantiesShownAtStart(env), std::nullopt);
        Clock::setNow(Now.addDays(1));
        Settings::setText(SettingKeys::WarrantyDays, "40");
        QCOMPARE(warrantiesShownAtStart(env),
                 std::optional(
                     QStringList{"Bosch|Kettle|K1|3/13/2026|2", "Makita|Drill|D2|4/19/2026|39"}));
        // Switched off, or nothing running out: no list.
        Clock::setNow(Now.addDays(2));
        Settings::setText(SettingKeys::RemindWarranty, "0");
        QCOMPARE(warrantiesShownAtStart(env), std::nullopt);
        Settings::setText(SettingKeys::RemindWarranty, "1");
        runSqlite(env.databaseFile(), "UPDATE tblItem SET WarrantyCD = 0;");
        QCOMPARE(warrantiesShownAtStart(env), std::nullopt);
        QCOMPARE(Settings::text(SettingKeys::LastWarrantyReminder), QString("2026-03-11"));
    }

    void markSelectedInventoryItemsInAnIncident() {
        GuiApp app(seed);
        auto* grid = child<GridView>(app.main->toolWindow("frmInventory"), "lvwItems");
        QAction* mark = app.main->menuItem(MenuItem::EditIncident);
        QVERIFY(!mark->isEnabled());
        // The drill and the ring, with Ctrl+click.
        QItemSelectionModel* selection = grid->selectionModel();
        for (const char* item : {"Drill", "Ring"}) {
            const int row = columnTexts(grid, "Item").indexOf(item);
            selection->select(grid->model()->index(row, 1),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        QVERIFY(mark->isEnabled());
        QVERIFY(!app.main->menuItem(MenuItem::EditEdit)->isEnabled());

        // A new incident recorded from the dialog, then the items marked in it.
        whenModalShown([](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QString("frmIncidentMark"));
            QCOMPARE(texts(child<QListWidget>(dialog, "lstItems")),
                     (QStringList{"Makita Drill D2", "Tiffany Ring"}));
            whenModalShown([](QWidget* editor) {
                QCOMPARE(editor->windowTitle(), QString("New Incident"));
                QTest::keyClicks(child<QLineEdit>(editor, "txtIncidentNM"), "Burglary");
                child<QComboBox>(editor, "cboKind")->setCurrentText("Theft");
                child<QPlainTextEdit>(editor, "txtNotes")->setPlainText("Back door forced");
                click(editor, "cmdOK");
            });
            click(dialog, "cmdNewIncident");
            QCOMPARE(child<QComboBox>(dialog, "cboIncident")->currentText(),
                     QString("Burglary (3/10/2026)"));
            click(dialog, "cmdOK");
        });
        app.main->runMenuCommand(MenuItem::EditIncident);
        QCOMPARE(runSqlite(app.env.databaseFile(),
                           "SELECT n.IncidentNM, n.IncidentDT, n.KindTX, n.NotesTX, m.ItemID FROM "
                           "tblIncident n JOIN tblIncidentItem m USING (IncidentID) ORDER BY 5;"),
                 QString("Burglary|2026-03-10|Theft|Back door forced|2\n"
                         "Burglary|2026-03-10|Theft|Back door forced|3\n"));
        QCOMPARE(app.main->statusText(),
                 QString("Marked 2 item(s) in the incident Burglary (3/10/2026)."));
    }

    void incidentsWindowWritesTheClaim() {
        GuiDatabase db;
        seed(*gData);
        ScriptedPrompts prompts;
        QList<QUrl> opened;
        setOpenerForTesting([&](const QUrl& url) {
            opened << url;
            return true;
        });
        const IncidentStore incidents(*gData);
        const qint64 fire = incidents.Add({.IncidentNM = "Fire", .IncidentDT = QDate(2026, 1, 5)});
        incidents.AddItems(fire, {1, 3});
        incidents.Add({.IncidentNM = "Flood", .IncidentDT = QDate(2026, 2, 1)});

        frmIncidents window;
        window.show();
        auto* list = child<GridView>(&window, "lvwIncidents");
        auto* items = child<GridView>(&window, "lvwItems");
        QCOMPARE(columnTexts(list, "Incident"), (QStringList{"Flood", "Fire"}));
        QCOMPARE(items->rowCount(), 0);
        list->selectRow(1);
        QCOMPARE(columnTexts(items, "Item"), (QStringList{"Kettle", "Ring"}));
        QCOMPARE(child<QLabel>(&window, "hdgItems")->text(),
                 QString("Items lost or damaged in Fire (2):"));

        // Adding the drill through the picker, found by typing.
        whenModalShown([](QWidget* picker) {
            auto* choices = child<QListWidget>(picker, "lstItems");
            QCOMPARE(choices->count(), 1);
            QTest::keyClicks(child<QLineEdit>(picker, "txtFind"), "garage");
            choices->item(0)->setSelected(true);
            click(picker, "cmdOK");
        });
        click(&window, "cmdAddItems");
        QCOMPARE(columnTexts(items, "Item"), (QStringList{"Kettle", "Drill", "Ring"}));

        click(&window, "cmdClaim");
        QCOMPARE(opened.size(), 1);
        const QString page = QString::fromUtf8(readFile(opened.first().toLocalFile()));
        QVERIFY(page.contains("Claim List: Fire") && page.contains("TOTALS (3 items)"));

        const QString csv = db.filePath("fire.csv");
        prompts.answerFile(csv);
        click(&window, "cmdClaimCsv");
        QCOMPARE(prompts.fileDialogs().last().folder, QDir::home().filePath("Fire claim.csv"));
        QCOMPARE(readDelimited(readFile(csv), ',').size(), 4);

        items->selectRow(0);
        click(&window, "cmdRemoveItems");
        QCOMPARE(columnTexts(items, "Item"), (QStringList{"Drill", "Ring"}));
        QCOMPARE(columnTexts(list, "Items"), (QStringList{"0", "2"}));

        prompts.answerMessage(QMessageBox::Yes, "delete the incident 'Fire'");
        click(&window, "cmdDelete");
        QCOMPARE(columnTexts(list, "Incident"), QStringList{"Flood"});
        QCOMPARE(runSqlite(db.databaseFile(), "SELECT count(*) FROM tblItem;"), QString("3\n"));
        setOpenerForTesting({});
    }

    void coverageWindowShowsWhatIsOverItsLimit() {
        GuiDatabase db;
        seed(*gData);
        CoverageStore(*gData).setLimit("Tools", *Currency::parse("100"));
        ScriptedPrompts prompts;
        frmCoverage window;
        window.show();
        auto* grid = child<QTableWidget>(&window, "grdLimits");
        const auto rowOf = [&](const QString& type) {
            for (int row = 0; row < grid->rowCount(); ++row)
                if (grid->item(row, frmCoverage::TypeColumn)->text() == type)
                    return row;
            return -1;
        };
        const int jewelry = rowOf("Jewelry");
        const int tools = rowOf("Tools");
        QCOMPARE(grid->rowCount(), int(dvData::seedItemTypes().size()));
        QCOMPARE(grid->item(jewelry, frmCoverage::ValueColumn)->text(), QString("$2,500.00"));
        QCOMPARE(grid->item(tools, frmCoverage::LimitColumn)->text(), QString("100.00"));
        QCOMPARE(grid->item(tools, frmCoverage::OverColumn)->text(), QString("$50.00"));
        QVERIFY(grid->item(tools, frmCoverage::TypeColumn)->font().bold());

        // Exactly at the limit is not over it; a cent less is.
        grid->item(jewelry, frmCoverage::LimitColumn)->setText("2,500");
        QCOMPARE(grid->item(jewelry, frmCoverage::OverColumn)->text(), QString());
        grid->item(jewelry, frmCoverage::LimitColumn)->setText("2499.99");
        QCOMPARE(grid->item(jewelry, frmCoverage::OverColumn)->text(), QString("$0.01"));
        child<QLineEdit>(&window, "txtContentsLimit")->setText("2000");
        QCOMPARE(child<QLabel>(&window, "lblTotal")->text(),
                 QString("All 3 items are worth $2,690.00, $690.00 over the contents limit of "
                         "$2,000.00."));

        grid->item(tools, frmCoverage::LimitColumn)->setText("lots");
        prompts.answerMessage(QMessageBox::Ok, "'lots' is not an amount");
        click(&window, "cmdOK");
        QVERIFY(window.isVisible());
        QCOMPARE(CoverageStore(*gData).limits().byType.keys(), QStringList{"Tools"});

        grid->item(tools, frmCoverage::LimitColumn)->setText("");
        click(&window, "cmdOK");
        QVERIFY(!window.isVisible());
        const CoverageStore::Limits saved = CoverageStore(*gData).limits();
        QCOMPARE(saved.byType.keys(), QStringList{"Jewelry"});
        QCOMPARE(saved.byType.value("Jewelry"), *Currency::parse("2499.99"));
        QCOMPARE(*saved.contents, *Currency::parse("2000"));
    }
};

DOMIVO_GUI_TEST_MAIN(InsuranceWindowsTest)
#include "tst_insurancewindows.moc"
