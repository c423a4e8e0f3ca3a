#include "records/GridPrefetch.h"

#include "data/RowCursor.h"
#include "records/invItem.h"

#include <future>
#include <system_error>
#include <utility>

namespace {

struct Pending {
    GridPrefetch::Listing listing;
    std::future<GridRows> rows;
};

// Reads are started, taken and dropped by the thread that runs the windows only.
std::optional<Pending>& pending() {
    static std::optional<Pending> read;
    return read;
}

GridRows readListing(const invItem& items, const GridPrefetch::Listing& listing) {
    // The cursor, with its connection, is made and ends on the reading thread.
    RowCursor cursor = items.ListMainGridRows(listing.roundPrices, listing.type, listing.location,
                                              listing.manufacturer, listing.purchaseDate);
    GridRows rows = GridRows::forCursor(cursor);
    rows.readRows(cursor);
    return rows;
}

} // namespace

void GridPrefetch::start(const invItem& items, const Listing& listing) {
    discard();
    try {
        pending() = Pending{listing, std::async(std::launch::async, [&items, listing] {
                                return readListing(items, listing);
                            })};
    } catch (const std::system_error&) {
        // No thread to spare: the window reads the rows when it opens, as it always can.
    }
}

std::optional<GridRows> GridPrefetch::take(const Listing& listing) {
    std::optional<Pending> read = std::exchange(pending(), std::nullopt);
    if (!read)
        return std::nullopt;
    if (!(read->listing == listing)) {
        read->rows.wait();
        return std::nullopt;
    }
    try {
        return read->rows.get();
    } catch (...) {
        // Whatever went wrong happens again when the caller reads the rows itself, and is
        // reported to the user there.
        return std::nullopt;
    }
}

void GridPrefetch::discard() {
    const std::optional<Pending> read = std::exchange(pending(), std::nullopt);
    if (read)
        read->rows.wait();
}
