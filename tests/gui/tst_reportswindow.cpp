// The reports window: the kind combo and the two report lists, the filter frames each report
// switches on, the by-type / by-location choice, and Run writing the page into the data folder
// and handing it to the browser (through the test's opener, never a real browser), with the
// messages when the page cannot be written or opened. The pages themselves are compared line
// by line in the core's report tests.

#include "GuiTest.h"

#include "app/AppPaths.h"
#include "app/BrowserOpen.h"
#include "app/Clock.h"
#include "windows/reports/frmReports.h"

#include <QDateEdit>
#include <QDir>
#include <QEnterEvent>
#include <QGroupBox>
#include <QRadioButton>

namespace {

const QDateTime now(QDate(2024, 6, 10), QTime(14, 5, 9));

// Garage holds the anvil; the kitchen the radio and the hammer. The radio's warranty ran out
// yesterday; the anvil was last changed on June 1st.
void seed(const dvData& data) {
    runSqlite(data.Path(),
              "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchasePriceAM, TypeTX, "
              "LocationTX, WarrantyCD, WarrantyExpireDT, LastChangeDT) VALUES "
              "(1, 'Zenith', 'Radio', 120000, 'Electronics', 'Kitchen', 1, '2024-06-09', "
              "'2024-06-10'), "
              "(2, 'Acme', 'Anvil', 102500, 'Tools', 'Garage', 0, NULL, '2024-06-01'), "
              "(3, 'Acme', 'Hammer', 205000, 'Tools', 'Kitchen', 0, NULL, '2024-06-10');"
              "INSERT INTO tblCollection VALUES ('Coins', ''), ('Stamps - UK', '');"
              "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL), "
              "('Stamps - UK', 0, 'Country', 0, 0, NULL);"
              "INSERT INTO tblCollectionItem VALUES "
              "(10, 'Penny', 'Coins', 102500, 0, 0, NULL, '2024-06-01'), "
              "(11, 'Penny Black', 'Stamps - UK', 205000, 0, 0, NULL, '2024-06-01');"
              "INSERT INTO tblCollectionItemField VALUES (10, 0, '1909'), (11, 0, 'UK');");
}

// The application on the seeded database with the reports window open; pages "open" in the
// list of opened URLs, or fail to when `opens` is false.
struct App : GuiApp {
    frmReports* window = nullptr;
    QList<QUrl> opened;
    bool opens = true;

    App()
        : GuiApp(seed) {
        setOpenerForTesting([this](const QUrl& url) {
            opened << url;
            return opens;
        });
        main->tlbMain_ButtonClick("Reports");
        window = qobject_cast<frmReports*>(main->toolWindow("frmReports"));
    }
    ~App() { setOpenerForTesting({}); }

    template <class T> T* get(const QString& name) const {
        T* found = child<T>(window, name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QComboBox* kinds() const { return get<QComboBox>("cboReport"); }
    QComboBox* filterCombo(int index) const {
        return get<QComboBox>(QString("cboFilterInv_%1").arg(index));
    }
    QPushButton* run() const { return get<QPushButton>("cmdRun"); }
    QString page() const { return AppPaths::pageFile(env.dataFolder()); }

    void chooseKind(const QString& text) const {
        kinds()->setCurrentIndex(kinds()->findText(text));
    }
    // A click on a report caption, as the mouse gives it.
    void clickReport(const char* list, int index) const {
        QTest::mouseClick(get<QLabel>(QString("%1_%2").arg(list).arg(index)), Qt::LeftButton);
    }
    // The markers of a list, as a string of 0 and 1.
    QString markers(const char* list, int count) const {
        QString shown;
        for (int index = 0; index < count; ++index)
            shown +=
                get<QLabel>(QString("%1_%2").arg(list).arg(index))->isVisibleTo(window) ? '1' : '0';
        return shown;
    }
    // Which inventory filters are on: type/location, date, warranty.
    QString inventoryFilters() const {
        QString on;
        for (const char* frame : {"fraFilterInv", "fraDateInv", "fraWarrantyInv"})
            on += get<QGroupBox>(frame)->isEnabled() ? '1' : '0';
        return on;
    }
};

} // namespace

class ReportsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Clock::setNow(now); }

    void loadsWithNoKindChosen() {
        App app;
        QCOMPARE(gCurrentWindow(), QString("frmReports"));
        QCOMPARE(app.main->windowTitle(), QString("Qelto Domivo- Reports"));
        for (const char* name : {"mnuEdit_Copy", "mnuEdit_CopyGrid"})
            QVERIFY2(!app.main->menuItem(name)->isEnabled(), name);
        for (const char* key : {"CopyItem", "CopyGrid", "Sort"})
            QVERIFY2(!app.main->toolbarButton(key)->isEnabled(), key);
        QCOMPARE(app.get<QLabel>("hdgReport")->text(), QString("Run reports for"));
        QCOMPARE(texts(app.kinds()),
                 (QStringList{"Inventory", "Collection - Coins", "Collection - Stamps - UK"}));
        QCOMPARE(app.kinds()->currentIndex(), -1);
        QCOMPARE(texts(app.filterCombo(0)), (QStringList{"*** All ***", "Electronics", "Tools"}));
        QCOMPARE(texts(app.filterCombo(1)), (QStringList{"*** All ***", "Garage", "Kitchen"}));
        QCOMPARE(app.get<QDateEdit>("dtpInv")->date(), now.date());
        QCOMPARE(app.get<QDateEdit>("dtpCol")->date(), now.date());
        QVERIFY(!app.run()->isVisibleTo(app.window) && !app.run()->isEnabled());
        for (const char* panel : {"picReport_0", "picReport_1", "picCtrl_0", "picCtrl_1"})
            QVERIFY2(!app.get<QWidget>(panel)->isVisibleTo(app.window), panel);
    }

    void reportsSwitchTheirFilters() {
        App app;
        app.chooseKind("Inventory");
        QVERIFY(app.get<QWidget>("picReport_0")->isVisibleTo(app.window));
        QVERIFY(app.get<QWidget>("picCtrl_0")->isVisibleTo(app.window));
        QVERIFY(app.run()->isVisibleTo(app.window) && !app.run()->isEnabled());
        QCOMPARE(app.get<QLabel>("hdgInventory")->text(), QString("Inventory Reports"));
        QCOMPARE(app.get<QLabel>("lblInvReport_6")->text(), QString("Purchase Location Summary"));
        QCOMPARE(app.get<QLabel>("lblInvReport_0")->toolTip(),
                 QString("Click to select this report"));
        QCOMPARE(app.markers("imgInvReport", 7), QString("0000000"));
        QCOMPARE(app.inventoryFilters(), QString("000"));
        QVERIFY(!app.get<QRadioButton>("optFilterInv_0")->isVisibleTo(app.window));

        const QList<QPair<int, QString>> filters = {{0, "100"}, {1, "100"}, {2, "001"}, {3, "100"},
                                                    {4, "010"}, {5, "100"}, {6, "100"}};
        for (const auto& [index, on] : filters) {
            app.clickReport("lblInvReport", index);
            QCOMPARE(app.inventoryFilters(), on);
            QCOMPARE(app.markers("imgInvReport", 7), QString("0000000").replace(index, 1, '1'));
            QCOMPARE(app.get<QDateEdit>("dtpInv")->isEnabled(), index == 4);
            QCOMPARE(app.get<QRadioButton>("optFilterInv_1")->isVisibleTo(app.window), on == "100");
            QCOMPARE(app.get<QRadioButton>("optWarrantyInv_1")->isVisibleTo(app.window),
                     index == 2);
        }
        QVERIFY(app.run()->isEnabled());
        QVERIFY(app.get<QLabel>("lblDescription_0")
                    ->text()
                    .startsWith("Shows where inventory items were purchased."));

        // The collection list, for a name with a hyphen of its own.
        app.chooseKind("Collection - Stamps - UK");
        QVERIFY(!app.get<QWidget>("picReport_0")->isVisibleTo(app.window));
        QVERIFY(!app.get<QWidget>("picCtrl_0")->isVisibleTo(app.window));
        QVERIFY(app.get<QWidget>("picReport_1")->isVisibleTo(app.window));
        QCOMPARE(app.get<QLabel>("hdgCollection")->text(),
                 QString("Collection Reports for 'Stamps - UK'"));
        QCOMPARE(app.get<QLabel>("lblColReport_3")->text(), QString("Summary Listing"));
        for (int index : {2, 0}) {
            app.clickReport("lblColReport", index);
            QCOMPARE(app.get<QGroupBox>("fraDateCol")->isEnabled(), index == 2);
            QCOMPARE(app.get<QDateEdit>("dtpCol")->isEnabled(), index == 2);
        }
        QCOMPARE(app.markers("imgColReport", 4), QString("1000"));
        QCOMPARE(app.get<QLabel>("lblDescription_1")->text(),
                 QString("Detailed information report for items in the selected collection."));
    }

    // Each list keeps its own choice, so Run always runs the report marked on display: a
    // report clicked in the other list does not carry over.
    void runFollowsTheListOnDisplay() {
        App app;
        app.chooseKind("Inventory");
        app.clickReport("lblInvReport", 2);
        app.chooseKind("Collection - Coins");
        QVERIFY(!app.run()->isEnabled());
        app.run()->click();
        QVERIFY(!QFile::exists(app.page()));
        app.clickReport("lblColReport", 1);
        app.chooseKind("Inventory");
        QVERIFY(app.run()->isEnabled());
        QCOMPARE(app.markers("imgInvReport", 7), QString("0010000"));
        app.run()->click();
        QVERIFY(readFile(app.page()).contains("<H1>Inventory Warranty Summary Report</H1>"));
        app.chooseKind("Collection - Coins");
        app.run()->click();
        QVERIFY(readFile(app.page()).contains("<H1>Collection Value Summary for 'Coins'</H1>"));
    }

    void byLocationClearsTheTypeAndBack() {
        App app;
        app.chooseKind("Inventory");
        app.clickReport("lblInvReport", 1);
        auto* byType = app.get<QRadioButton>("optFilterInv_0");
        auto* byLocation = app.get<QRadioButton>("optFilterInv_1");
        QVERIFY(byType->isChecked());
        QCOMPARE(app.filterCombo(0)->currentText(), QString("*** All ***"));
        QVERIFY(app.filterCombo(0)->isEnabled() && !app.filterCombo(1)->isEnabled());

        click(app.window, "optFilterInv_1");
        QVERIFY(byLocation->isChecked());
        QCOMPARE(app.filterCombo(0)->currentText(), QString());
        QVERIFY(!app.filterCombo(0)->isEnabled() && app.filterCombo(1)->isEnabled());
        app.filterCombo(1)->setCurrentText("Garage");
        app.run()->click();
        const QString page = readFile(app.page());
        QVERIFY(page.contains("<h3>Garage</h3>"));
        QVERIFY(!page.contains("Kitchen"));
        QVERIFY(page.contains("Total Purchase Price for Garage:"));

        click(app.window, "optFilterInv_0");
        QCOMPARE(app.filterCombo(1)->currentText(), QString());
        QVERIFY(app.filterCombo(0)->isEnabled() && !app.filterCombo(1)->isEnabled());
    }

    void runWritesThePageAndOpensIt() {
        App app;
        app.chooseKind("Inventory");
        app.clickReport("lblInvReport", 4);
        app.get<QDateEdit>("dtpInv")->setDate(QDate(2024, 6, 1));
        app.run()->click();
        QCOMPARE(app.opened, QList<QUrl>{QUrl::fromLocalFile(app.page())});
        QString page = readFile(app.page());
        QVERIFY(page.contains("<H1>Un-updated Inventory Item Listing</H1>\r\n"));
        QVERIFY(page.contains("<td width=\"20%\">Anvil&nbsp;</td>"));
        QVERIFY(!page.contains("Radio"));
        QVERIFY(page.contains("Report created 6/10/2024 2:05:09 PM"));

        // The warranty choice reaches its report; the next page replaces the last one.
        app.clickReport("lblInvReport", 2);
        app.run()->click();
        QVERIFY(!readFile(app.page()).contains("Radio"));
        click(app.window, "optWarrantyInv_1");
        app.run()->click();
        page = readFile(app.page());
        QVERIFY(page.contains("Radio"));
        QVERIFY(!page.contains("Un-updated"));

        // The collection's own date picker.
        app.chooseKind("Collection - Coins");
        app.clickReport("lblColReport", 2);
        app.get<QDateEdit>("dtpCol")->setDate(QDate(2024, 5, 31));
        app.run()->click();
        QVERIFY(
            readFile(app.page()).contains("Total Number of Items not updated since 5/31/2024:"));
        QCOMPARE(app.opened.size(), 4);
        QCOMPARE(app.prompts.boxes().size(), 0);
    }

    void failuresAreExplained() {
        App app;
        app.chooseKind("Inventory");
        app.clickReport("lblInvReport", 0);

        // No browser: two messages, and the page stays.
        app.opens = false;
        app.prompts.answerMessage(QMessageBox::Ok,
                                  "There has been an error trying to open your web browser to "
                                  "view the report.");
        app.prompts.answerMessage(QMessageBox::Ok, QDir::toNativeSeparators(app.page()));
        app.run()->click();
        QCOMPARE(app.prompts.boxes().size(), 2);
        QCOMPARE(app.prompts.boxes().at(0).icon, QMessageBox::Warning);
        QCOMPARE(app.prompts.boxes().at(0).title, QString("Report Generation"));
        QVERIFY(app.prompts.boxes().at(1).text.startsWith("1 - "));
        QCOMPARE(app.prompts.boxes().at(1).icon, QMessageBox::NoIcon);
        const QByteArray written = readFile(app.page());
        QVERIFY(written.contains("<H1>Detailed Inventory Listing</H1>"));

        // A page that cannot be written is said so, and nothing is opened.
        app.opens = true;
        app.opened.clear();
        const QString blocked = QDir(app.env.dataFolder()).filePath("DV-RPT.HTM");
        QFile::remove(blocked);
        QVERIFY(QDir().mkpath(blocked + "/in-the-way"));
        app.prompts.answerMessage(QMessageBox::Ok, "Cannot create the report page");
        app.run()->click();
        QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Critical);
        QVERIFY(app.opened.isEmpty());
        QDir(blocked).removeRecursively();

        // An engine error ends the run with the engine's message.
        runSqlite(app.env.databaseFile(), "DROP TABLE tblItem");
        app.prompts.answerMessage(QMessageBox::Ok, "tblItem");
        app.run()->click();
        QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Critical);
        QVERIFY(app.opened.isEmpty());
        QVERIFY(!QFile::exists(app.page()));
    }

    void captionsColourUnderTheMouse() {
        App app;
        app.chooseKind("Inventory");
        QLabel* caption = app.get<QLabel>("lblInvReport_3");
        const QColor normal = caption->palette().color(QPalette::ButtonText);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(caption, &enter);
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(caption, &leave);
        QCOMPARE(caption->palette().color(QPalette::WindowText), normal);
        // The hand over the inventory reports only.
        QCOMPARE(caption->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!app.get<QLabel>("lblColReport_0")->testAttribute(Qt::WA_SetCursor));
    }
};

DOMIVO_GUI_TEST_MAIN(ReportsWindowTest)
#include "tst_reportswindow.moc"
