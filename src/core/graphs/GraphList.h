#pragma once

#include "graphs/GraphEntry.h"

#include <QList>
#include <optional>

class dvData;

// What can be graphed: the entries the graphs window lists for each kind of graph, shared with
// the command-line tool.
namespace GraphList {

enum class Kind { Inventory, Collections };

// The kind a text names: one that begins with "I" ("Inventory") is the inventory, any other the
// collections.
Kind KindOf(const QString& text);
// The kind whose list holds the entry.
Kind KindOf(const GraphEntry& entry);

// Why there is nothing of the kind to graph ("Cannot graph -- there are no inventory items
// on-file."), or "" when there is something.
QString CannotGraphMessage(const dvData& data, Kind kind);

// The graphs of a kind, in list order. The collections' list ends with two field graphs
// (" - Count by ", " - Price by ") for each field of a list type (fixed or memory list) of each
// collection, by collection name and then FieldID.
QList<GraphEntry> LoadGraphList(const dvData& data, Kind kind);

// The entry of either kind whose text is the given one, letter case aside.
std::optional<GraphEntry> Find(const dvData& data, const QString& text);

} // namespace GraphList
