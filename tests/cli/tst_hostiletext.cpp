// Text that tries to break out: quotes, a statement of its own, the Like wildcards, brackets,
// line breaks, very long text, right-to-left text and emoji, in every text field of items,
// list entries, collections, field definitions and values, and as the search values. Through
// the record classes and the command-line tool it is stored and found exactly as typed, refused
// (with the engine's message) only where a width or empty-text rule says so, and the schema
// stays as it was.

#include "TestEnvironment.h"

#include "data/DbError.h"
#include "records/Collection.h"
#include "records/Inventory.h"
#include "search/SearchQuery.h"

#include <QRegularExpression>

namespace {

using Values = invItem::Values;

// The item's text columns, with their widths (0 for long text).
struct ItemColumn {
    QString Values::*member;
    QString column;
    QString displayName;
    int width;
};
const QList<ItemColumn> itemColumns = {
    {&Values::ManufacturerNM, "ManufacturerNM", "Manufacturer", 30},
    {&Values::ItemNM, "ItemNM", "Item Name", 50},
    {&Values::ModelSeriesTX, "ModelSeriesTX", "Model/Series", 30},
    {&Values::SerialNumberID, "SerialNumberID", "Serial Number", 50},
    {&Values::PurchaseLocationTX, "PurchaseLocationTX", "Purchase Location", 255},
    {&Values::TypeTX, "TypeTX", "Type", 40},
    {&Values::LocationTX, "LocationTX", "Location", 40},
    {&Values::CommentsTX, "CommentsTX", "Comments", 0},
};

// Whether a width or empty-text rule lets the text in. The engine counts characters, so an
// emoji counts once although it takes two UTF-16 units.
bool fits(const QString& text, int width, bool allowEmpty = false) {
    if (text.isEmpty())
        return allowEmpty;
    return width == 0 || text.toUcs4().size() <= width;
}

template <typename Write> QString attempt(Write write) {
    try {
        write();
    } catch (const DbError& error) {
        return error.message().isEmpty() ? QString("(a refusal without a message)")
                                         : error.message();
    }
    return {};
}

// "" when the outcome is the one the rules call for, else what went wrong.
QString judge(const QString& what, const QString& error, bool allowed, const QString& column) {
    if (allowed)
        return error.isEmpty() ? QString() : what + " refused: " + error;
    if (error.isEmpty())
        return what + " stored although a rule forbids it";
    // The engine's own message, naming the rule's column.
    if (!error.contains("CHECK constraint failed") || !error.contains(column))
        return what + " refused without the engine's message: " + error;
    return {};
}

QString schemaOf(const QString& file) {
    return runSqlite(file, "SELECT type, name, sql FROM sqlite_master ORDER BY name;");
}

// A value as the listings print it.
QString printed(QString text) {
    static const QRegularExpression breaks("[\t\r\n]");
    return text.replace(breaks, " ");
}

QVariantList ids(const Recordset& rows) {
    QVariantList found;
    for (int row = 0; row < rows.rowCount(); ++row)
        found.append(rows.value(row, "ItemID"));
    return found;
}

} // namespace

class HostileTextTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    QStringList failures;

    ProcessResult cli(const QStringList& args) {
        return runProcess(DOMIVO_CLI_PATH, args, db->processEnvironment());
    }
    void expect(const QString& failure) {
        if (!failure.isEmpty())
            failures << failure;
    }
    // Finds what the search finds with column = text and column Like text: the one row.
    void expectFound(const SearchTarget& target, const QString& column, const QString& text,
                     qint64 itemID) {
        for (const QString op : {"=", "Like"}) {
            const QList<CriteriaRow> rows = {{column, op, text}};
            const auto refused = SearchCriteria::ValidCriteria(target, rows);
            const QString what = column + " " + op + ": ";
            if (refused) {
                failures << what + refused->message;
                continue;
            }
            const QVariantList found = ids(SearchQuery::run(db->data, target, {}, rows, 0));
            if (found != QVariantList{itemID})
                failures << what + "found " + QString::number(found.size()) + " rows";
        }
    }
    // The listing succeeded and one of its lines holds every one of the cells.
    void expectListed(const QStringList& args, const QStringList& cells) {
        const ProcessResult result = cli(args);
        const QString what = "domivo-cli " + args.join(' ') + ": ";
        if (result.exitCode != 0) {
            failures << what + result.err;
            return;
        }
        for (const QString& line : result.out.split('\n')) {
            const QStringList shown = line.split('\t');
            if (std::all_of(cells.begin(), cells.end(),
                            [&](const QString& cell) { return shown.contains(cell); }))
                return;
        }
        failures << what + "no line holds " + cells.join(" | ") + "\n" + result.out;
    }

    void itemColumnsHoldIt(const QString& text, bool typeStored, bool locationStored) {
        const invItem& items = db->data.Inventory().Item();
        const SearchTarget inventory = SearchTarget::inventory();
        for (const ItemColumn& column : itemColumns) {
            // One item per column, so that each is judged alone; an entry that is not on its
            // list cannot be filed under.
            if ((column.column == "TypeTX" && !typeStored) ||
                (column.column == "LocationTX" && !locationStored))
                continue;
            Values values{.ItemNM = "Probe", .TypeTX = "Probe", .LocationTX = "Probe"};
            values.*column.member = text;
            const bool allowed = fits(text, column.width, column.column != "ItemNM");
            const QString error = attempt([&] { items.Add(values); });
            expect(judge(column.column, error, allowed, column.column));
            if (!allowed || text.isEmpty() || !error.isEmpty())
                continue;
            const Recordset added = items.List({}, {}, "ItemID DESC");
            if (added.rowCount() == 0) {
                failures << column.column + " added, but no item is listed";
                continue;
            }
            const qint64 itemID = added.value(0, "ItemID").toLongLong();
            if (items.Retrieve(itemID).value(0, column.column).toString() != text)
                failures << column.column + " reads back otherwise";
            if (column.width > 0)
                expectFound(inventory, column.column, text, itemID);
            const QString fields = column.column == "ItemNM" ? QString("Item Name")
                                                             : "Item Name," + column.displayName;
            if (column.width > 0)
                expectListed({"search", "--fields", fields, "--criterion",
                              column.displayName + "|=|" + text},
                             {QString::number(itemID), printed(text)});
        }
        if (fits(text, 30, true) && !text.isEmpty())
            expectListed({"items", "--manufacturer=" + text}, {printed(text)});
        if (typeStored)
            expectListed({"items", "--type=" + text}, {"Probe", printed(text)});
    }

    void collectionsHoldIt(const QString& text) {
        Collection& collections = db->data.Collection();
        const QString comments = text.repeated(100);
        // The collection's name, and its comments as long text.
        const bool nameAllowed = fits(text, 50);
        expect(judge("CollectionNM", attempt([&] {
                         collections.AddWithFields(text, comments,
                                                   {{0, "Mint", colFieldType::String, false, {}}});
                     }),
                     nameAllowed, "CollectionNM"));
        if (nameAllowed) {
            if (collections.Retrieve(text).value(0, "CommentsTX").toString() != comments)
                failures << "the collection's comments read back otherwise";
            expectListed({"collection", "--", text}, {"Item Name", "Mint"});
            const ProcessResult exported =
                cli({"export", "Collection '" + text + "'", "csv", db->filePath("out.csv")});
            if (exported.exitCode != 0)
                failures << "export of the collection: " + exported.err;
        }
        // A field's name, and a fixed list holding the text.
        const bool fieldAllowed = fits(text, 25);
        expect(judge("FieldNM", attempt([&] {
                         collections.AddWithFields(
                             "Fields", {},
                             {{0, text, colFieldType::String, false, {}},
                              {1, "Kind", colFieldType::FixedList, false, "A;" + text}});
                     }),
                     fieldAllowed, "FieldNM"));
        if (fieldAllowed &&
            collections.Field().Retrieve("Fields", 1).value(0, "FieldListTX") != "A;" + text)
            failures << "the fixed list reads back otherwise";

        // An item of a collection named plainly: its name, comments and value.
        collections.AddWithFields("Box", {}, {{0, "Mint", colFieldType::String, false, {}}});
        qint64 itemID = 0;
        const bool itemAllowed = fits(text, 255);
        expect(judge("collection item", attempt([&] {
                         itemID = collections.Item().AddWithValues("Box", text, "1", {}, {},
                                                                   comments, {{0, text}});
                     }),
                     itemAllowed, "ItemNM"));
        if (!itemAllowed)
            return;
        const Recordset values = collections.Item().Field().Retrieve(itemID, 0);
        if (values.value(0, "FieldValueTX").toString() != text ||
            collections.Item().Retrieve(itemID).value(0, "ItemNM").toString() != text)
            failures << "the collection item reads back otherwise";
        const SearchTarget box = SearchTarget::collection(db->data, "Box");
        expectFound(box, "ItemNM", text, itemID);
        expectFound(box, "Field0", text, itemID);
        expectListed({"search", "--collection", "Box", "--criterion", "Mint|Like|" + text},
                     {QString::number(itemID), printed(text)});
        expectListed({"collection", "Box"}, {printed(text)});
    }

private slots:
    void storedAndFoundLiterally_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << "O'Brien's \"best\" `chair`";
        QTest::newRow("statement") << "'; DROP TABLE tblItem; --";
        QTest::newRow("percent") << "100%";
        QTest::newRow("underscore") << "a_b";
        QTest::newRow("wildcards only") << "%_%";
        QTest::newRow("brackets") << "[x] ]";
        QTest::newRow("bars") << "a|=|b|";
        QTest::newRow("escapes") << "C:\\new\\%s %n \\% \\_ !% ^_";
        QTest::newRow("line breaks") << "first line\nsecond\r\nthird\tcolumn";
        QTest::newRow("blanks around") << "  padded  ";
        QTest::newRow("right to left") << "\u05E9\u05DC\u05D5\u05DD \u202Eevil\u202C \u0645\u0631";
        QTest::newRow("emoji") << "\U0001F3E0\U0001F4E6 den \U0001F468\u200D\U0001F469\u200D"
                                  "\U0001F467";
        // 25 emoji: 50 UTF-16 units, 25 characters to the engine.
        QTest::newRow("emoji to the width") << QString("\U0001F4A9").repeated(25);
        QTest::newRow("at a width") << QString("x").repeated(29) + "'";
        QTest::newRow("long") << QString("ab'%_\"").repeated(50);
        QTest::newRow("empty") << QString();
    }
    void storedAndFoundLiterally() {
        QFETCH(QString, text);
        db = std::make_unique<TestDatabase>();
        const QString schema = schemaOf(db->databaseFile());
        failures.clear();

        const invItem& items = db->data.Inventory().Item();
        // The plain entries the probes are filed under when the text is not.
        items.ItemType().AddAll({"Probe"});
        items.Location().AddAll({"Probe"});
        const bool listAllowed = fits(text, 40);
        expect(judge("TypeTX", attempt([&] { items.ItemType().AddAll({text}); }), listAllowed,
                     "TypeTX"));
        expect(judge("LocationTX", attempt([&] { items.Location().AddAll({text}); }), listAllowed,
                     "LocationTX"));
        itemColumnsHoldIt(text, listAllowed, listAllowed);
        collectionsHoldIt(text);

        QCOMPARE(schemaOf(db->databaseFile()), schema);
        QVERIFY(dvData::ValidDatabase(db->data.connString()));
        db.reset();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }
};

DOMIVO_TEST_MAIN(HostileTextTest)
#include "tst_hostiletext.moc"
