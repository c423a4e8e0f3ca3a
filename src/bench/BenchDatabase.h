#pragma once

#include <QString>
#include <QStringList>

// The database the benchmark measures on: a seeded Domivo database filled with a household's
// worth of made-up but plausible rows (manufacturers, item names, models, serial numbers, dates
// and prices spread as in a real inventory; collections with four fields each, one of them a
// list). The same sizes always give the same rows, so that two runs measure the same work.
class BenchDatabase {
public:
    struct Size {
        qint64 items = 100000;
        int collections = 20;
        int collectionItems = 5000;
        // The small collection that sits beside the large ones.
        int smallCollectionItems = 100;
    };

    // Creates the database at `file`, which must not exist yet.
    static void generate(const QString& file, const Size& size);

    // The names of the generated collections, the large ones first, then the small one.
    static QStringList collectionNames(const Size& size);
    static QString smallCollectionName();
};
