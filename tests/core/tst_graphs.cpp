// The graph kinds on a small database: which bars each graph draws, with what values and
// caption, and the graph list that offers them.

#include "TestEnvironment.h"

#include "graphs/GraphList.h"
#include "graphs/gphCollection.h"
#include "graphs/gphInventory.h"
#include "types/Currency.h"

using Routine = GraphEntry::Routine;

namespace {

QVariant amount(const char* text) {
    return QVariant::fromValue(*Currency::parse(QString::fromLatin1(text)));
}

// Items of two types and two locations, one filed under neither; collections whose list fields
// are numbered with gaps, one whose name holds " - " and a field name with a blank.
struct GraphDatabase : TestDatabase {
    GraphDatabase() {
        sql("INSERT INTO tblItem (ItemNM, TypeTX, LocationTX, PurchasePriceAM, "
            "AppraisalPriceAM, ReplacePriceAM) VALUES "
            "('Chair', 'Art', 'Attic', 1005000, 800000, NULL), "
            "('Lamp', 'Art', 'Basement', 2500000, 0, 10000), "
            "('Atlas', 'Books', 'Attic', 0, 0, 0), "
            "('Mystery', NULL, NULL, 990000, 990000, 990000);"
            "INSERT INTO tblCollection VALUES ('Coins', NULL), ('Empty', NULL), "
            "('Stamps - old', NULL);"
            "INSERT INTO tblCollectionField VALUES "
            "('Coins', 0, 'Metal type', 1, 0, 'Gold;Silver;copper'), "
            "('Coins', 1, 'Year', 3, 0, NULL), ('Coins', 3, 'Mint', 2, 0, NULL), "
            "('Empty', 0, 'Name', 0, 0, NULL), ('Stamps - old', 2, 'Issue year', 2, 0, NULL);"
            "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM, PurchasePriceAM, "
            "AppraisalPriceAM, ReplacePriceAM) VALUES "
            "(1, 'Eagle', 'Coins', 100000, 150000, NULL), (2, 'Cent', 'Coins', 12500, 0, 0), "
            "(3, 'Dollar', 'Coins', 25000, 0, 0), (4, 'Penny', 'Coins', 500, 0, 0), "
            "(5, 'Blue', 'Stamps - old', 30000, 0, 0), (6, 'Red', 'Stamps - old', 40000, 0, 0);"
            "INSERT INTO tblCollectionItemField VALUES "
            "(1, 0, 'Silver'), (1, 1, '1900'), (1, 3, 'D'), (2, 0, 'Gold'), (2, 1, '1910'), "
            "(2, 3, 'S'), (3, 0, 'Silver'), (3, 1, '1920'), (3, 3, 'D'), (4, 0, 'copper'), "
            "(4, 1, 'Silver'), (4, 3, ''), (5, 2, '1950'), (6, 2, '1840');");
    }
};

Graph expected(const QVariantList& values, const QStringList& labels, const QString& caption) {
    return gphGeneral::CaptionedChart(values, labels, caption);
}

} // namespace

Q_DECLARE_METATYPE(Graph)

class GraphsTest : public QObject {
    Q_OBJECT

private slots:
    void graphs_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<Graph>("graph");
        const QStringList types = {"Art", "Books"};
        const QStringList locations = {"Attic", "Basement"};
        const QStringList collections = {"Coins", "Empty", "Stamps - old"};
        QTest::newRow("count by type")
            << "Count by Type" << expected({2, 1}, types, "Inventory Item Count by Type");
        QTest::newRow("count by location")
            << "count by location"
            << expected({2, 1}, locations, "Inventory Item Count by Location");
        QTest::newRow("purchase by type")
            << "Purchase Price by Type"
            << expected({amount("350.5"), amount("0")}, types, "Inventory Purchase Price by Type");
        QTest::newRow("appraisal by location") << "Appraisal Price by Location"
                                               << expected({amount("80"), amount("0")}, locations,
                                                           "Inventory Appraisal Price by Location");
        QTest::newRow("replacement by type")
            << "Replacement Price by Type"
            << expected({amount("1"), amount("0")}, types, "Inventory Replace Price by Type");
        QTest::newRow("count summary")
            << "Count Summary" << expected({4, 0, 2}, collections, "Collection Count Summary");
        QTest::newRow("appraisal summary")
            << "Appraisal Price Summary"
            << expected({amount("15"), amount("0"), amount("0")}, collections,
                        "Collection Appraisal Price Summary");
        QTest::newRow("replacement summary")
            << "Replacement Price Summary"
            << expected({amount("0"), amount("0"), amount("0")}, collections,
                        "Collection Replace Price Summary");
        // Values in ascending order whatever their case; only the field's own values count,
        // not the same text in another field.
        QTest::newRow("count by a field with a blank")
            << "Coins - Count by Metal type"
            << expected({1, 1, 2}, {"copper", "Gold", "Silver"}, "Count by Metal type for Coins");
        QTest::newRow("price by a field numbered 3")
            << "Coins - Price by Mint"
            << expected({amount("0.05"), amount("12.5"), amount("1.25")}, {"", "D", "S"},
                        "Price Summary by Mint for Coins");
        QTest::newRow("collection name with a hyphen")
            << "Stamps - old - Count by Issue year"
            << expected({1, 1}, {"1840", "1950"}, "Count by Issue year for Stamps - old");
        QTest::newRow("price by the hyphenated collection's field")
            << "stamps - old - price by issue year"
            << expected({amount("4"), amount("3")}, {"1840", "1950"},
                        "Price Summary by Issue year for Stamps - old");
    }

    void graphs() {
        QFETCH(QString, entry);
        QFETCH(Graph, graph);
        GraphDatabase database;
        const auto found = GraphList::Find(database.data, entry);
        QVERIFY(found);
        const Graph drawn = found->draw(database.data);
        QCOMPARE(drawn.caption, graph.caption);
        QCOMPARE(drawn.chart, graph.chart);
    }

    void graphList() {
        GraphDatabase database;
        const auto texts = [&database](GraphList::Kind kind) {
            QStringList list;
            for (const GraphEntry& entry : GraphList::LoadGraphList(database.data, kind))
                list.append(entry.text);
            return list;
        };
        QCOMPARE(texts(GraphList::KindOf("Inventory")),
                 QStringList({"Count by Type", "Count by Location", "Purchase Price by Type",
                              "Purchase Price by Location", "Appraisal Price by Type",
                              "Appraisal Price by Location", "Replacement Price by Type",
                              "Replacement Price by Location"}));
        QCOMPARE(texts(GraphList::KindOf("Collections")),
                 QStringList({"Count Summary", "Purchase Price Summary", "Appraisal Price Summary",
                              "Replacement Price Summary", "Coins - Count by Metal type",
                              "Coins - Price by Metal type", "Coins - Count by Mint",
                              "Coins - Price by Mint", "Stamps - old - Count by Issue year",
                              "Stamps - old - Price by Issue year"}));
        const GraphEntry mint = *GraphList::Find(database.data, "Coins - Price by Mint");
        QCOMPARE(mint.routine, Routine::FieldGraph);
        QCOMPARE(mint.fieldID, 3);
        QCOMPARE(GraphList::KindOf(mint), GraphList::Kind::Collections);
        QCOMPARE(GraphList::KindOf(*GraphList::Find(database.data, "Count by Type")),
                 GraphList::Kind::Inventory);
        QVERIFY(!GraphList::Find(database.data, "Coins - Count by Year"));
    }

    // (The refusals when there is nothing to graph are the graphs window's and domivo-cli
    // graph's.)
    void itemsOfNoTypeDrawNoBars() {
        TestDatabase empty;
        // Items filed under no type draw a chart without bars rather than one bar for all.
        empty.sql("INSERT INTO tblItem (ItemNM) VALUES ('Loose');");
        QCOMPARE(gphInventory::CountByType(empty.data).chart,
                 expected({}, {}, "Inventory Item Count by Type").chart);
    }
};

DOMIVO_TEST_MAIN(GraphsTest)
#include "tst_graphs.moc"
