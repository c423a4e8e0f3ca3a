#include "BenchDatabase.h"

#include "data/dvData.h"
#include "records/colFieldType.h"

#include <QDate>
#include <cmath>
#include <cstring>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// splitmix64: the same sequence on every machine and library, unlike the standard
// distributions.
class Random {
public:
    explicit Random(quint64 seed)
        : m_state(seed) {}
    quint64 next() {
        quint64 z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    double unit() { return double(next() >> 11) / double(1ULL << 53); }
    template <class List> const auto& pick(const List& list) {
        return list[below(int(std::size(list)))];
    }

private:
    quint64 m_state;
};

const char* const Manufacturers[] = {
    "Sony",       "Samsung",    "LG",        "Panasonic",      "Bosch",     "Black & Decker",
    "DeWalt",     "Makita",     "Whirlpool", "KitchenAid",     "Cuisinart", "Dyson",
    "Apple",      "Dell",       "HP",        "Lenovo",         "Canon",     "Nikon",
    "Yamaha",     "Fender",     "Gibson",    "IKEA",           "Ashley",    "La-Z-Boy",
    "Le Creuset", "Lodge",      "Weber",     "Craftsman",      "Stanley",   "Milwaukee",
    "Ryobi",      "Toro",       "Husqvarna", "Coleman",        "Yeti",      "Patagonia",
    "Levi's",     "Nike",       "Adidas",    "Rolex",          "Seiko",     "Tiffany & Co.",
    "Pandora",    "Sharp",      "Toshiba",   "Philips",        "Braun",     "Bose",
    "JBL",        "Sonos",      "Garmin",    "Logitech",       "Microsoft", "Nintendo",
    "Remington",  "Kohler",     "Moen",      "Pottery Barn",   "Miele",     "Electrolux",
    "Zojirushi",  "Vitamix",    "Breville",  "Smith & Wesson", "Orvis",     "Shimano",
    "Trek",       "Specialized"};

const char* const Adjectives[] = {
    "Large",   "Small",    "Vintage",    "Cordless", "Stainless", "Antique",   "Portable",
    "Digital", "Wireless", "Classic",    "Deluxe",   "Compact",   "Leather",   "Wooden",
    "Glass",   "Red",      "Blue",       "Black",    "White",     "Silver",    "Oak",
    "Folding", "Electric", "Heavy-Duty", "Mini",     "Outdoor",   "Cast Iron", "Ceramic"};

// Nouns for each of the 23 item types, in the order of the starting type list.
const std::vector<std::vector<const char*>> Nouns = {
    {"Belt", "Wallet", "Umbrella", "Sunglasses", "Handbag", "Scarf"},
    {"Refrigerator", "Dishwasher", "Washer", "Dryer", "Microwave", "Freezer", "Range"},
    {"Painting", "Print", "Sculpture", "Watercolor", "Lithograph", "Vase"},
    {"Floor Jack", "Battery Charger", "Car Cover", "Roof Rack", "Tire Set"},
    {"Towel Set", "Bath Mat", "Shower Caddy", "Scale", "Mirror"},
    {"Cookbook", "Encyclopedia Set", "Atlas", "Novel Collection", "Dictionary"},
    {"Winter Coat", "Rain Jacket", "Suit", "Dress", "Boots", "Sweater"},
    {"Figurine", "Music Box", "Model Train", "Doll", "Clock"},
    {"Laptop", "Monitor", "Printer", "Router", "Tablet", "Desktop Computer", "Keyboard"},
    {"Office Suite", "Photo Editor", "Antivirus", "Tax Software", "Game"},
    {"Television", "Receiver", "Speaker", "Camera", "Headphones", "Blu-ray Player"},
    {"Shotgun", "Rifle", "Gun Safe", "Scope"},
    {"Sofa", "Armchair", "Dining Table", "Bookcase", "Dresser", "Bed Frame", "Desk"},
    {"Necklace", "Ring", "Bracelet", "Earrings", "Watch", "Brooch"},
    {"Cookware Set", "Skillet", "Dutch Oven", "Knife Block", "Stand Mixer", "Blender"},
    {"Lawn Mower", "Leaf Blower", "Hedge Trimmer", "Wheelbarrow", "Hose Reel", "Chainsaw"},
    {"Ladder", "Fan", "Heater", "Vacuum", "Humidifier", "Safe"},
    {"CD Collection", "Tape Collection", "Record Album", "Box Set"},
    {"Patio Table", "Lounge Chair", "Umbrella Stand", "Hammock", "Bench"},
    {"Area Rug", "Runner", "Persian Rug", "Door Mat"},
    {"Bicycle", "Golf Clubs", "Tennis Racket", "Kayak", "Skis", "Treadmill", "Tent"},
    {"Drill", "Circular Saw", "Socket Set", "Table Saw", "Sander", "Tool Chest"},
    {"DVD Collection", "Movie Box Set", "Video Tapes", "Blu-ray Collection"}};

const char* const Stores[] = {"Best Buy",    "Home Depot",     "Lowe's",       "Costco",
                              "Target",      "Walmart",        "Amazon",       "Macy's",
                              "Sears",       "Crate & Barrel", "Antique Fair", "Estate Sale",
                              "Craigslist",  "eBay",           "IKEA",         "REI",
                              "Apple Store", "Local Hardware"};

const char* const Comments[] = {"Gift from my parents.",
                                "Bought during the holiday sale; receipt in the blue folder.",
                                "Needs a new battery.",
                                "Inherited from Grandma's estate.",
                                "Extended warranty purchased separately.",
                                "Scratch on the left side, otherwise fine.",
                                "Appraised in 2019 for the insurance rider.",
                                "Serial number engraved on the bottom."};

struct FieldPlan {
    const char* name;
    int type;
    const char* list; // the choices of a list field, ";"-separated
};

// The four fields of every collection: a list, a whole number, a date and an amount, or, for
// every other collection, a text and a Yes/No instead of the number and the date.
const FieldPlan FieldsA[] = {
    {"Category", colFieldType::FixedList,
     "Common;Uncommon;Rare;Very Rare;Proof;Commemorative;Error;Set;Damaged;Restored"},
    {"Year", colFieldType::Integer, ""},
    {"Acquired", colFieldType::Date, ""},
    {"Value", colFieldType::Money, ""}};
const FieldPlan FieldsB[] = {
    {"Condition", colFieldType::FixedList, "Mint;Near Mint;Excellent;Very Good;Good;Fair;Poor"},
    {"Maker", colFieldType::String, ""},
    {"Signed", colFieldType::YesNo, ""},
    {"Value", colFieldType::Money, ""}};

const char* const CollectionNames[] = {
    "Coins",          "Stamps",        "Baseball Cards", "Comic Books",  "Vinyl Records",
    "Wine Cellar",    "Watches",       "Model Trains",   "Dolls",        "Fountain Pens",
    "Antique Clocks", "Pocket Knives", "Postcards",      "Teapots",      "Hot Wheels",
    "Board Games",    "Fossils",       "Minerals",       "Vintage Toys", "First Editions"};

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string("generating the database: ") + sqlite3_errmsg(db));
}

class Insert {
public:
    Insert(sqlite3* db, const char* sql)
        : m_db(db) {
        check(sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr), db);
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& text(const std::string& value) {
        sqlite3_bind_text(m_stmt, ++m_column, value.c_str(), int(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& textOrNull(bool present, const std::string& value) {
        return present ? text(value) : null();
    }
    Insert& integer(qint64 value) {
        sqlite3_bind_int64(m_stmt, ++m_column, value);
        return *this;
    }
    Insert& null() {
        sqlite3_bind_null(m_stmt, ++m_column);
        return *this;
    }
    Insert& date(const QDate& value) {
        return value.isValid() ? text(value.toString(Qt::ISODate).toStdString()) : null();
    }
    void run() {
        check(sqlite3_step(m_stmt), m_db);
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_column = 0;
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_column = 0;
};

std::string letters(Random& random, int count, const char* alphabet) {
    const int size = int(std::strlen(alphabet));
    std::string text;
    for (int i = 0; i < count; ++i)
        text += alphabet[random.below(size)];
    return text;
}

// An amount in ten-thousandths, whole cents, spread over four orders of magnitude.
qint64 price(Random& random, double lowest, double highest) {
    const double dollars = std::exp(std::log(lowest) + random.unit() * std::log(highest / lowest));
    return qint64(std::llround(dollars * 100)) * 100;
}

const QDate FirstDay(1985, 1, 1);
constexpr int DaySpan = 14600; // forty years

void addItems(sqlite3* db, Random& random, qint64 count) {
    Insert insert(db, "INSERT INTO tblItem (ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
                      "PurchaseLocationTX, PurchaseDT, WarrantyCD, WarrantyExpireDT, "
                      "WarrantyDocumentCD, PurchasePriceAM, ReplacePriceAM, AppraisalPriceAM, "
                      "TypeTX, LocationTX, ReceiptCD, ManualsCD, CommentsTX, LastChangeDT) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QStringList& types = dvData::seedItemTypes();
    const QStringList& locations = dvData::seedLocations();
    for (qint64 n = 0; n < count; ++n) {
        const int type = random.below(int(types.size()));
        std::string item = std::string(random.pick(Adjectives)) + " " + random.pick(Nouns[type]);
        if (random.chance(10))
            item += " #" + std::to_string(1 + random.below(99));
        const QDate bought = random.chance(92) ? FirstDay.addDays(random.below(DaySpan)) : QDate();
        const bool warranty = random.chance(40);
        const qint64 paid = price(random, 2, 8000);
        const QDate changed = (bought.isValid() ? bought : FirstDay).addDays(random.below(400));
        insert.textOrNull(!random.chance(3), random.pick(Manufacturers))
            .text(item)
            .textOrNull(random.chance(75), letters(random, 2, "ABCDEFGHJKLMNPRSTVWXZ") + "-" +
                                               std::to_string(100 + random.below(9900)))
            .textOrNull(random.chance(60),
                        letters(random, 10, "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ"))
            .textOrNull(!random.chance(20), random.pick(Stores))
            .date(bought)
            .integer(warranty ? 1 : 0)
            .date(warranty && bought.isValid() ? bought.addYears(1 + random.below(5)) : QDate())
            .integer(warranty && random.chance(50) ? 1 : 0)
            .integer(paid)
            .integer(paid / 10000 * 12000)
            .integer(random.chance(30) ? price(random, 5, 12000) : 0)
            .text(types[type].toStdString())
            .text(locations[random.below(int(locations.size()))].toStdString())
            .integer(random.chance(55) ? 1 : 0)
            .integer(random.chance(35) ? 1 : 0)
            .textOrNull(random.chance(30), random.pick(Comments))
            .date(std::min(changed, QDate(2025, 12, 31)));
        insert.run();
    }
}

std::string fieldValue(Random& random, const FieldPlan& field) {
    switch (field.type) {
    case colFieldType::FixedList: {
        const QStringList choices = QString::fromLatin1(field.list).split(QLatin1Char(';'));
        return choices[random.below(int(choices.size()))].toStdString();
    }
    case colFieldType::Integer:
        return std::to_string(1850 + random.below(175));
    case colFieldType::Date:
        return FirstDay.addDays(random.below(DaySpan)).toString(Qt::ISODate).toStdString();
    case colFieldType::Money: {
        const qint64 cents = price(random, 1, 3000) / 100;
        return std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") +
               std::to_string(cents % 100);
    }
    case colFieldType::YesNo:
        return random.chance(20) ? "1" : "0";
    default:
        return random.pick(Manufacturers);
    }
}

void addCollection(sqlite3* db, Random& random, const QString& name, int index, int items) {
    {
        Insert collection(db, "INSERT INTO tblCollection (CollectionNM, CommentsTX) VALUES (?, ?)");
        collection.text(name.toStdString()).text("Generated for the benchmark.");
        collection.run();
    }
    const FieldPlan* fields = index % 2 == 0 ? FieldsA : FieldsB;
    Insert field(db, "INSERT INTO tblCollectionField (CollectionNM, FieldID, FieldNM, FieldTypeCD, "
                     "RequiredCD, FieldListTX) VALUES (?, ?, ?, ?, 0, ?)");
    for (int f = 0; f < 4; ++f) {
        field.text(name.toStdString())
            .integer(f)
            .text(fields[f].name)
            .integer(fields[f].type)
            .text(fields[f].list);
        field.run();
    }
    Insert item(db, "INSERT INTO tblCollectionItem (ItemNM, CollectionNM, PurchasePriceAM, "
                    "AppraisalPriceAM, ReplacePriceAM, CommentsTX, LastChangeDT) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?)");
    Insert value(db, "INSERT INTO tblCollectionItemField (ItemID, FieldID, FieldValueTX) "
                     "VALUES (?, ?, ?)");
    const std::string prefix = name.toStdString();
    for (int n = 0; n < items; ++n) {
        item.text(prefix + " " + std::to_string(n + 1) + " " + random.pick(Adjectives))
            .text(prefix)
            .integer(price(random, 1, 2000))
            .integer(random.chance(40) ? price(random, 1, 4000) : 0)
            .integer(0)
            .textOrNull(random.chance(20), random.pick(Comments))
            .date(FirstDay.addDays(random.below(DaySpan)));
        item.run();
        const qint64 itemID = sqlite3_last_insert_rowid(db);
        for (int f = 0; f < 4; ++f) {
            value.integer(itemID).integer(f).text(fieldValue(random, fields[f]));
            value.run();
        }
    }
}

void execute(sqlite3* db, const char* sql) {
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

} // namespace

QStringList BenchDatabase::collectionNames(const Size& size) {
    QStringList names;
    for (int i = 0; i < size.collections; ++i) {
        const int round = i / int(std::size(CollectionNames));
        QString name = QString::fromLatin1(CollectionNames[i % int(std::size(CollectionNames))]);
        if (round > 0)
            name += QStringLiteral(" %1").arg(round + 1);
        names.append(name);
    }
    if (size.smallCollectionItems > 0)
        names.append(smallCollectionName());
    return names;
}

QString BenchDatabase::smallCollectionName() {
    return QStringLiteral("Thimbles");
}

void BenchDatabase::generate(const QString& file, const Size& size) {
    {
        // The schema and the starting lists are the program's own.
        dvData seeded;
        seeded.setPath(file);
    }
    sqlite3* db = nullptr;
    const QByteArray name = file.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open the new database " + name.toStdString());
    }
    try {
        execute(db, "PRAGMA foreign_keys = ON");
        execute(db, "PRAGMA journal_mode = MEMORY");
        execute(db, "PRAGMA synchronous = OFF");
        execute(db, "BEGIN");
        Random random(20260418);
        addItems(db, random, size.items);
        const QStringList names = collectionNames(size);
        for (int i = 0; i < names.size(); ++i) {
            const bool small = size.smallCollectionItems > 0 && i == names.size() - 1;
            addCollection(db, random, names[i], i,
                          small ? size.smallCollectionItems : size.collectionItems);
        }
        execute(db, "COMMIT");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}
