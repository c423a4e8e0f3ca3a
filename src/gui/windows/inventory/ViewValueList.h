#pragma once

#include <QString>

class QListWidget;
class invItem;

// The value list of the inventory window's view: "*** All ***", then every different value of
// one item column in the table's order, as the grid shows it (dates in their short form), empty
// values left out.
namespace ViewValueList {

// Replaces the list's entries and returns how many different values the column holds (the
// empty one included). The entries are added in one go: added one by one, each would be
// announced to the list's view on its own, which for thousands of purchase dates took most of
// the time.
int fill(QListWidget* list, const invItem& items, const QString& column);

} // namespace ViewValueList
