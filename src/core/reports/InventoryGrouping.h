#pragma once

#include "data/Recordset.h"
#include "data/RowCursor.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>

class invItem;
class rptGeneral;

// How the grouped inventory reports choose and group their rows, and the group they are in
// while the rows are written.
class InventoryGrouping {
public:
    // The first entry of the reports window's type and location combos: no filter.
    static constexpr const char* AllEntry = "*** All ***";
    // The heading of the group of items that have no value in the grouping column.
    static constexpr const char* UnknownHeading = "** Unknown **";

    // A type or location text that filters: neither empty nor the "all" entry.
    static bool isFilter(const QString& text);

    // The rows of the summary listing, cost summary and serial number list. A type filter
    // groups that type's items by type; else a location filter groups that location's items by
    // location; else the "all" entry as the type text groups every item by type, and anything
    // else (the window empties the type text when the user chooses "by Location") by
    // location. Within a group rows come by manufacturer and item name, ties by ItemID.
    static InventoryGrouping byTypeOrLocation(const invItem& items, const QString& type,
                                              const QString& location);
    // The rows of the purchase location report, grouped by purchase location whatever the
    // filter, the type filter first, then the location filter.
    static InventoryGrouping byPurchaseLocation(const invItem& items, const QString& type,
                                                const QString& location);

    // The rows of the item-by-item listings (detailed listing, proof of ownership): the type
    // filter's items, else the location filter's, else every item, by manufacturer, name, model
    // and ItemID. Writes the "Selected Type:" or "Selected Location:" heading of the filter used.
    static Recordset selectedItems(rptGeneral& page, const invItem& items, const QString& type,
                                   const QString& location);
    // The same rows, read one at a time: a listing of a large inventory never holds them all.
    static RowCursor selectedItemRows(rptGeneral& page, const invItem& items, const QString& type,
                                      const QString& location);

    // Reads the rows once, in order, each while it is the cursor's current row: a row for which
    // takesPart (when given) is false is passed over; a row whose group value differs from the
    // open group's (letter case aside, as the database sorts text), or that comes when no group
    // is open, first closes the open group, if any, and opens its own; then the row is written.
    // After the last row the open group is closed.
    void writeGroups(const std::function<bool(const RowCursor& row)>& takesPart,
                     const std::function<void()>& openGroup,
                     const std::function<void(const RowCursor& row)>& writeRow,
                     const std::function<void()>& closeGroup);
    // The open group's value as its first row holds it ("" for none).
    QString openValue() const { return m_open.value_or(QString()); }
    // "<h3>" + the open group's value (or the unknown heading) + "</h3>".
    QString heading() const;

private:
    InventoryGrouping(QString column, RowCursor rows);
    // The filter of the item-by-item listings, its heading written: {location, type}.
    static std::pair<QString, QString> selectedFilter(rptGeneral& page, const QString& type,
                                                      const QString& location);
    // The current row's group value: the grouping column's text, "" for Null.
    QString groupValue() const;

    QString m_column;
    RowCursor m_rows;
    std::optional<QString> m_open;
};
