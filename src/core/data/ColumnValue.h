#pragma once

#include <QVariant>

struct sqlite3_stmt;

// How a stored value becomes a QVariant: by the declared type of the column it comes from, or,
// for computed columns, by the kind of value the engine holds.
namespace ColumnValue {

enum class Kind { Unknown, Boolean, Currency, DateTime, Integer, Text };

Kind kindOfDeclaredType(const char* declaredType);
QVariant read(sqlite3_stmt* stmt, int column, Kind kind);

} // namespace ColumnValue
