// domivo-test-writer: a program for the crash and lock tests, which kill it at random moments.
//
//   domivo-test-writer write FILE [ROUNDS]
//       Writes through the record classes, round after round (forever when ROUNDS is missing or
//       negative): inventory items added, changed, moved and deleted, list entries added and
//       renamed, collections with fields and items added and deleted. Prints "ready" once the
//       database is open and "done" after the last round.
//   domivo-test-writer lock FILE exclusive|reserved MILLISECONDS
//       Opens a write transaction with that lock, writes one row, prints "locked", holds the
//       lock for the given time (forever when negative), then commits and prints "done".

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/dvData.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Keeps the file small however many writers ran on it before: only the newest rows stay.
void trim(dvData& data) {
    const Recordset collections = data.Collection().List();
    for (int row = 0; row + 2 < collections.rowCount(); ++row)
        data.Collection().Delete(collections.value(row, QStringLiteral("CollectionNM")).toString());
    const invItem& items = data.Inventory().Item();
    const Recordset all = items.List(QString(), QString(), QStringLiteral("ItemID"));
    for (int row = 0; row + 10 < all.rowCount(); ++row)
        items.Delete(all.value(row, QStringLiteral("ItemID")).toLongLong());
}

void writeRound(dvData& data, int round) {
    trim(data);
    // Names carry the process, so that writers running side by side never collide.
    const QString tag = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(round);
    // Long comments spread a round's writes over several pages of the file.
    const QString comments = QStringLiteral("Round %1. ").arg(tag).repeated(100);

    const invItem& items = data.Inventory().Item();
    items.Add({.ManufacturerNM = QStringLiteral("Maker ") + tag,
               .ItemNM = QStringLiteral("Item ") + tag,
               .PurchasePriceAM = QStringLiteral("12.34"),
               .TypeTX = QStringLiteral("Tools"),
               .LocationTX = QStringLiteral("Garage"),
               .CommentsTX = comments});
    const Recordset added = items.List(QString(), QString(), QStringLiteral("ItemID DESC"));
    const qint64 itemID = added.value(0, QStringLiteral("ItemID")).toLongLong();
    items.Update(itemID, {.ModelSeriesTX = QStringLiteral("Model ") + tag});
    items.MoveToLocation({itemID}, QStringLiteral("Attic"));

    const auto& types = items.ItemType();
    const QString type = QStringLiteral("Type ") + tag;
    types.Add(type);
    types.Update(type, type + QStringLiteral(" renamed"));
    types.Delete(type + QStringLiteral(" renamed"));

    Collection& collections = data.Collection();
    const QString name = QStringLiteral("Collection ") + tag;
    collections.AddWithFields(name, comments,
                              {{0, QStringLiteral("Year"), 3, false, QString()},
                               {1, QStringLiteral("Mint"), 0, false, QString()}});
    for (int i = 0; i < 3; ++i)
        collections.Item().AddWithValues(
            name, QStringLiteral("Coin %1").arg(i), QStringLiteral("1.50"), QString(), QString(),
            comments, {{0, QString::number(1900 + i)}, {1, QStringLiteral("D")}});
}

int write(const QString& file, int rounds) {
    dvData data;
    data.setPath(file);
    say("ready");
    for (int round = 0; rounds < 0 || round < rounds; ++round)
        writeRound(data, round);
    say("done");
    return 0;
}

int lock(const QString& file, const QString& kind, int milliseconds) {
    Connection connection = Connection::openFile(file);
    connection.execute(kind == QLatin1String("exclusive") ? QStringLiteral("BEGIN EXCLUSIVE")
                                                          : QStringLiteral("BEGIN IMMEDIATE"));
    connection.execute(QStringLiteral("INSERT INTO tblLocation_Lkp VALUES (?)"),
                       {QStringLiteral("Locked room %1").arg(QCoreApplication::applicationPid())});
    say("locked");
    if (milliseconds < 0)
        for (;;)
            QThread::sleep(3600);
    QThread::msleep(milliseconds);
    connection.execute(QStringLiteral("COMMIT"));
    say("done");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() >= 2 && args[0] == QLatin1String("write"))
            return write(args[1], args.size() > 2 ? args[2].toInt() : -1);
        if (args.size() == 4 && args[0] == QLatin1String("lock"))
            return lock(args[1], args[2], args[3].toInt());
    } catch (const DbError& error) {
        std::fprintf(stderr, "domivo-test-writer: %s\n", qPrintable(error.message()));
        return 1;
    }
    std::fprintf(stderr, "usage: domivo-test-writer write FILE [ROUNDS] | lock FILE "
                         "exclusive|reserved MILLISECONDS\n");
    return 2;
}
