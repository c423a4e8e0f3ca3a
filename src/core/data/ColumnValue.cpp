#include "data/ColumnValue.h"

#include "types/Currency.h"
#include "types/DateText.h"

#include <sqlite3.h>

namespace ColumnValue {

Kind kindOfDeclaredType(const char* declaredType) {
    if (!declaredType)
        return Kind::Unknown;
    const QByteArray type = QByteArray(declaredType).toUpper();
    if (type.startsWith("BOOL") || type == "BIT")
        return Kind::Boolean;
    if (type.startsWith("CURRENCY"))
        return Kind::Currency;
    if (type.startsWith("DATE"))
        return Kind::DateTime;
    if (type.contains("INT") || type.startsWith("LONG") || type.startsWith("COUNTER"))
        return Kind::Integer;
    if (type.contains("TEXT") || type.contains("CHAR") || type.startsWith("MEMO"))
        return Kind::Text;
    return Kind::Unknown;
}

namespace {

QString textOf(sqlite3_stmt* stmt, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
}

QVariant readAsStored(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt, column)));
    }
    case SQLITE_NULL:
        return {};
    default:
        return QVariant(textOf(stmt, column));
    }
}

} // namespace

QVariant read(sqlite3_stmt* stmt, int column, Kind kind) {
    const int stored = sqlite3_column_type(stmt, column);
    if (stored == SQLITE_NULL)
        return {};
    switch (kind) {
    case Kind::Boolean:
        if (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT)
            return QVariant(sqlite3_column_int64(stmt, column) != 0);
        break;
    case Kind::Currency:
        if (stored == SQLITE_INTEGER)
            return QVariant::fromValue(Currency::fromUnits(sqlite3_column_int64(stmt, column)));
        if (stored == SQLITE_FLOAT) {
            if (const auto amount = Currency::fromRealUnits(sqlite3_column_double(stmt, column)))
                return QVariant::fromValue(*amount);
        }
        break;
    case Kind::DateTime:
        if (stored == SQLITE_TEXT) {
            const QVariant date = DateText::fromStorage(textOf(stmt, column));
            if (date.isValid())
                return date;
        }
        break;
    case Kind::Integer:
        if (stored == SQLITE_INTEGER)
            return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
        break;
    case Kind::Text:
        return QVariant(textOf(stmt, column));
    case Kind::Unknown:
        break;
    }
    // A value that is not in its column's storage form is handed over as the engine holds it.
    return readAsStored(stmt, column);
}

} // namespace ColumnValue
