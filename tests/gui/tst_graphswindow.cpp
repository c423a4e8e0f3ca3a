// The graphs window in the running main window: its state on loading, the two kinds and their
// refusals, the graph list, Run drawing into the page view (the bars measured at their share of
// the track), and Publish handing the page to the browser seam.

#include "GuiTest.h"

#include "app/AppPaths.h"
#include "app/BrowserOpen.h"
#include "windows/graphs/frmGraphs.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

namespace {

// Generous: the first page of a test program starts the page view's Chromium processes.
constexpr int PageTimeout = 60000;

// Ten works of art, twenty books and thirty-seven electronic items: bars of 25 %, 50 % and
// 92.5 % of a scale up to 40. A collection whose name holds " - " with a list field whose name
// holds a blank.
void seedItems(const dvData& data) {
    runSqlite(data.Path(),
              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 37) "
              "INSERT INTO tblItem (ItemNM, TypeTX, AppraisalPriceAM) "
              "SELECT 'Item ' || i, 'Art', 10000 FROM n WHERE i <= 10 "
              "UNION ALL SELECT 'Item ' || i, 'Books', 0 FROM n WHERE i <= 20 "
              "UNION ALL SELECT 'Item ' || i, 'Electronics', 0 FROM n;"
              "INSERT INTO tblCollection VALUES ('Stamps - old', NULL);"
              "INSERT INTO tblCollectionField VALUES "
              "('Stamps - old', 2, 'Issue year', 2, 0, NULL), "
              "('Stamps - old', 3, 'Country', 0, 0, NULL);"
              "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES "
              "(1, 'Blue', 'Stamps - old'), (2, 'Red', 'Stamps - old');"
              "INSERT INTO tblCollectionItemField VALUES (1, 2, '1950'), (2, 2, '1840');");
}

// Puts the desktop's opener back when the test ends.
struct OpenerGuard {
    explicit OpenerGuard(std::function<bool(const QUrl&)> opener) {
        setOpenerForTesting(std::move(opener));
    }
    ~OpenerGuard() { setOpenerForTesting({}); }
};

struct App : GuiApp {
    frmGraphs* window = nullptr;

    explicit App(const std::function<void(const dvData&)>& seed = {})
        : GuiApp(seed) {
        main->tlbMain_ButtonClick("Graphs");
        window = qobject_cast<frmGraphs*>(main->toolWindow("frmGraphs"));
    }
    QComboBox* kinds() const { return child<QComboBox>(window, "cboWhatToGraph"); }
    QListWidget* graphs() const { return child<QListWidget>(window, "lstGraph"); }
    QWebEngineView* view() const { return child<QWebEngineView>(window, "webGraph"); }
    QPushButton* button(const char* name) const { return child<QPushButton>(window, name); }
    QString pageFile() const { return AppPaths::pageFile(env.dataFolder()); }

    // The user picks a kind in the combo box.
    void chooseKind(const QString& kind) const {
        const int index = kinds()->findText(kind);
        kinds()->setCurrentIndex(index);
        emit kinds()->activated(index);
    }
    // Picks the graph and runs it; true once the view has shown the page.
    bool run(const QString& graph) const {
        clickEntry(graphs(), graph);
        bool shown = false;
        const QUrl page = QUrl::fromLocalFile(pageFile());
        const QMetaObject::Connection loaded =
            QObject::connect(view(), &QWebEngineView::loadFinished,
                             [&](bool ok) { shown = shown || (ok && view()->url() == page); });
        click(window, "cmdRun");
        const bool finished = QTest::qWaitFor([&shown] { return shown; }, PageTimeout);
        QObject::disconnect(loaded);
        return finished;
    }
    // Runs a script beside the page (the page's own scripts are off) and returns its result.
    QVariant evaluate(const QString& script) const {
        auto result = std::make_shared<std::optional<QVariant>>();
        view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                      [result](const QVariant& value) { *result = value; });
        if (!QTest::qWaitFor([result] { return result->has_value(); }, PageTimeout))
            return {};
        return **result;
    }
};

} // namespace

class GraphsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void loadsWithABlankDisabledView() {
        App app(seedItems);
        QCOMPARE(gCurrentWindow(), QString("frmGraphs"));
        QCOMPARE(app.main->windowTitle(), QString("Qelto Domivo- Graphs"));
        for (const char* name : {"mnuEdit_Copy", "mnuEdit_CopyGrid", "mnuEdit_New"})
            QVERIFY2(!app.main->menuItem(name)->isEnabled(), name);
        for (const char* key : {"CopyItem", "CopyGrid", "Sort"})
            QVERIFY2(!app.main->toolbarButton(key)->isEnabled(), key);
        QCOMPARE(texts(app.kinds()), (QStringList{"Inventory", "Collections"}));
        QCOMPARE(app.kinds()->currentIndex(), -1);
        QCOMPARE(app.graphs()->count(), 0);
        QVERIFY(!app.button("cmdRun")->isEnabled());
        QVERIFY(app.button("cmdPublish")->isHidden());
        QVERIFY(!app.view()->isEnabled());
        QCOMPARE(app.view()->url(), QUrl("about:blank"));
        QCOMPARE(app.window->graphPagePath(), QString());
        // A page view that lost its page process says so, once.
        app.prompts.answerMessage(QMessageBox::Ok, "An error occurred loading the graph control.");
        for (int crash = 0; crash < 2; ++crash)
            emit app.view()->renderProcessTerminated(QWebEnginePage::CrashedTerminationStatus, 11);
        QCOMPARE(app.prompts.boxes().size(), 1);
        QCOMPARE(app.prompts.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(app.prompts.boxes().first().text,
                 QString("An error occurred loading the graph control.  \r\nYou need Microsoft "
                         "Internet Explorer 4.0 or higher to use the graphs."));

        app.chooseKind("Inventory");
        QCOMPARE(app.graphs()->count(), 8);
        QCOMPARE(app.graphs()->item(7)->text(), QString("Replacement Price by Location"));
        QVERIFY(!app.button("cmdRun")->isEnabled());
        clickEntry(app.graphs(), "Count by Location");
        QVERIFY(app.button("cmdRun")->isEnabled());

        // The collections' list ends with the field graphs, each with its field's FieldID.
        app.chooseKind("Collections");
        QCOMPARE(texts(app.graphs()).mid(4), (QStringList{"Stamps - old - Count by Issue year",
                                                          "Stamps - old - Price by Issue year"}));
        QCOMPARE(app.graphs()->item(4)->data(Qt::UserRole).toInt(), 2);
        QVERIFY(!app.graphs()->item(0)->data(Qt::UserRole).isValid());
        QVERIFY(!app.button("cmdRun")->isEnabled());
    }

    void nothingOnFileIsRefused() {
        App app;
        app.prompts.answerMessage(QMessageBox::Ok);
        app.chooseKind("Inventory");
        QCOMPARE(app.prompts.boxes().size(), 1);
        const ScriptedPrompts::Box box = app.prompts.boxes().first();
        QCOMPARE(box.text, QString("Cannot graph -- there are no inventory items on-file."));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.title, QString("Qelto Domivo"));
        QCOMPARE(app.graphs()->count(), 0);

        // With items on file the inventory is listed; refused collections leave it listed, and
        // the combo goes back to the kind the list shows.
        runSqlite(app.env.databaseFile(), "INSERT INTO tblItem (ItemNM) VALUES ('Lamp');");
        app.chooseKind("Inventory");
        QCOMPARE(app.graphs()->count(), 8);
        app.prompts.answerMessage(QMessageBox::Ok);
        app.chooseKind("Collections");
        QCOMPARE(app.prompts.boxes().last().text,
                 QString("Cannot graph -- there are no collections on-file."));
        QCOMPARE(app.graphs()->count(), 8);
        QCOMPARE(app.kinds()->currentText(), QString("Inventory"));
    }

    void runDrawsTheGraphInTheView() {
        App app(seedItems);
        app.chooseKind("Inventory");
        QVERIFY(app.run("Count by Type"));
        const QString page = app.pageFile();
        QCOMPARE(app.window->graphPagePath(), page);
        QVERIFY(app.view()->isEnabled());
        QVERIFY(!app.button("cmdPublish")->isHidden());
        QCOMPARE(app.view()->title(), QString("Inventory Item Count by Type"));
        // Each bar is its value's share of the grey track: 10, 20 and 37 of 40.
        const QVariant shares = app.evaluate(
            "Array.from(document.querySelectorAll('td[bgcolor=\"#C0C0C0\"]')).map(track => "
            "100 * track.querySelector('table').getBoundingClientRect().width / "
            "track.clientWidth)");
        const QVariantList bars = shares.toList();
        QCOMPARE(bars.size(), 3);
        const double expected[] = {25, 50, 92.5};
        for (int bar = 0; bar < 3; ++bar)
            QVERIFY2(qAbs(bars.at(bar).toDouble() - expected[bar]) < 0.5,
                     qPrintable(QString("bar %1 is %2 %").arg(bar).arg(bars.at(bar).toDouble())));

        // A second Run replaces the page; the price name comes from the column.
        QVERIFY(app.run("Appraisal Price by Type"));
        QCOMPARE(app.view()->title(), QString("Inventory Appraisal Price by Type"));
        const QByteArray written = readFile(page);
        QVERIFY(written.contains("<TITLE>Inventory Appraisal Price by Type</TITLE>"));
        QVERIFY(!written.contains("Count by Type"));

        // A field graph of a collection whose name holds " - ", by a field named with a blank.
        app.chooseKind("Collections");
        QVERIFY(app.run("Stamps - old - Count by Issue year"));
        QCOMPARE(app.view()->title(), QString("Count by Issue year for Stamps - old"));
        QCOMPARE(app.evaluate("document.querySelectorAll('td[bgcolor=\"#C0C0C0\"]').length"),
                 QVariant(2));
    }

    // (What a desktop that cannot open the page shows is the shared browser seam's, tested
    // through the reports window.)
    void publishOpensThePageInTheBrowser() {
        QList<QUrl> opened;
        OpenerGuard guard([&](const QUrl& url) {
            opened.append(url);
            return true;
        });
        App app(seedItems);
        app.chooseKind("Collections");
        QVERIFY(app.run("Count Summary"));
        click(app.window, "cmdPublish");
        QCOMPARE(opened, (QList<QUrl>{QUrl::fromLocalFile(app.pageFile())}));
        QVERIFY(app.prompts.boxes().isEmpty());
    }
};

DOMIVO_GUI_TEST_MAIN(GraphsWindowTest)
#include "tst_graphswindow.moc"
