#pragma once

#include "data/GridRows.h"

#include <QDate>
#include <QString>
#include <optional>

class invItem;

// The inventory grid's rows, read on a thread of their own while the program starts: the title
// window is up and the main window is being built meanwhile. The inventory window opens on
// every item and takes the rows when it asks for that listing; anything else reads for itself,
// and so does the window when the early read failed (it then sees why).
class GridPrefetch {
public:
    // One listing of the grid: invItem::ListMainGridRows' arguments.
    struct Listing {
        int roundPrices = 0;
        QString type = {};
        QString location = {};
        QString manufacturer = {};
        QDate purchaseDate = {};
        bool operator==(const Listing&) const = default;
    };

    // Starts reading the listing's rows. `items` must stay as they are until the rows are
    // taken or dropped (discard() waits for the read).
    static void start(const invItem& items, const Listing& listing);
    // The rows read for this listing, once the read is complete; nothing when no read was
    // started for it or the read failed. Either way nothing is kept for a later call: a later
    // listing may find other rows in the database.
    static std::optional<GridRows> take(const Listing& listing);
    // Waits for a read still going on and drops its rows.
    static void discard();
};
