#include "data/GridRows.h"

#include "app/General.h"
#include "data/ColumnValue.h"
#include "data/RowCursor.h"
#include "data/Statement.h"
#include "types/Currency.h"
#include "types/DateText.h"

#include <QLocale>
#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <sqlite3.h>
#include <string_view>

namespace {

enum class CellKind : quint8 { Null, Bool, Integer, Double, Currency, Date, DateTime, Text, Other };

constexpr qint64 MsPerDay = 86400000;

// A date and a time of day as one number that orders them as they are shown: the day, then the
// time of that day.
qint64 dayTimeKey(const QDate& date, const QTime& time = QTime(0, 0)) {
    return date.toJulianDay() * MsPerDay + time.msecsSinceStartOfDay();
}

QDate dayOf(qint64 key) {
    const qint64 day = key >= 0 ? key / MsPerDay : -((-key + MsPerDay - 1) / MsPerDay);
    return QDate::fromJulianDay(day);
}

QTime timeOf(qint64 key) {
    return QTime::fromMSecsSinceStartOfDay(int(key - dayOf(key).toJulianDay() * MsPerDay));
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// "YYYY-MM-DD" as the engine hands it over, read without building a QString; nullopt when the
// text is not exactly in that form (the general reader then decides).
std::optional<QDate> isoDate(const unsigned char* text, int bytes) {
    if (bytes != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    }
    const QDate date(parts[0], parts[1], parts[2]);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// A text's date as the grid reads it: the short date (or ISO form), then, after a blank, the
// time of day in the locale's long or short form or ISO form.
std::optional<qint64> readDayTime(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    const QDate date = DateText::parseDate(blank < 0 ? trimmed : trimmed.left(blank));
    if (!date.isValid())
        return std::nullopt;
    if (blank < 0)
        return dayTimeKey(date);
    const QString timeText = trimmed.mid(blank + 1);
    const QLocale locale;
    QTime time = locale.toTime(timeText, QLocale::LongFormat);
    if (!time.isValid())
        time = locale.toTime(timeText, QLocale::ShortFormat);
    if (!time.isValid())
        time = QTime::fromString(timeText, Qt::ISODate);
    if (!time.isValid())
        return std::nullopt;
    return dayTimeKey(date, time);
}

// Case folding one UTF-16 unit as QString::compare with Qt::CaseInsensitive does: a low
// surrogate after a high one stands for the folded code point of the pair, which is compared
// as a whole. Texts whose folded values compare equal, one by one, are equal without regard to
// case, and the order of those values is the order of that comparison.
char32_t foldUnit(char16_t unit, char32_t& last) {
    char32_t code = unit;
    if (QChar::isLowSurrogate(code) && QChar::isHighSurrogate(last))
        code = QChar::surrogateToUcs4(char16_t(last), unit);
    last = unit;
    return QChar::toCaseFolded(code);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// One column's values: a kind and a 64-bit payload each (the number, the amount's units, the
// day, the flag), texts in chunks of one buffer that never move once written.

class GridRows::Column {
public:
    QString moneyPattern;
    ColumnValue::Kind declared = ColumnValue::Kind::Unknown;
    Adapter adapt;

    qsizetype size() const { return qsizetype(m_kinds.size()); }
    CellKind kind(qsizetype i) const { return m_kinds[size_t(i)]; }
    qint64 payload(qsizetype i) const { return m_payload[size_t(i)]; }

    void add(CellKind kind, qint64 payload) {
        m_kinds.push_back(kind);
        m_payload.push_back(payload);
    }

    void addText(QStringView text) {
        char16_t* to = reserveText(text.size());
        std::copy(text.utf16(), text.utf16() + text.size(), to);
    }

    // UTF-8 from the engine: plain ASCII is widened in place, anything else decoded by Qt.
    void addUtf8(const unsigned char* text, int bytes) {
        const bool ascii =
            std::all_of(text, text + bytes, [](unsigned char c) { return c < 0x80; });
        if (!ascii) {
            addText(QString::fromUtf8(reinterpret_cast<const char*>(text), bytes));
            return;
        }
        char16_t* to = reserveText(bytes);
        std::copy(text, text + bytes, to);
    }

    void addValue(const QVariant& value) {
        if (value.isNull()) {
            add(CellKind::Null, 0);
            return;
        }
        if (value.metaType() == QMetaType::fromType<Currency>()) {
            add(CellKind::Currency, value.value<Currency>().units());
            return;
        }
        switch (value.typeId()) {
        case QMetaType::Bool:
            add(CellKind::Bool, value.toBool() ? 1 : 0);
            return;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::LongLong:
            add(CellKind::Integer, value.toLongLong());
            return;
        case QMetaType::Double:
        case QMetaType::Float: {
            const double number = value.toDouble();
            qint64 bits = 0;
            std::memcpy(&bits, &number, sizeof bits);
            add(CellKind::Double, bits);
            return;
        }
        case QMetaType::QDate:
            if (value.toDate().isValid()) {
                add(CellKind::Date, dayTimeKey(value.toDate()));
                return;
            }
            break;
        case QMetaType::QDateTime: {
            const QDateTime dateTime = value.toDateTime();
            if (dateTime.isValid()) {
                add(CellKind::DateTime, dayTimeKey(dateTime.date(), dateTime.time()));
                return;
            }
            break;
        }
        case QMetaType::QString:
            addText(value.toString());
            return;
        default:
            break;
        }
        add(CellKind::Other, m_others.size());
        m_others.append(value);
    }

    // One value of the statement's current row, read the way ColumnValue::read reads it,
    // without a QVariant for the common kinds.
    void addCell(sqlite3_stmt* statement, int column) {
        const int stored = sqlite3_column_type(statement, column);
        using Kind = ColumnValue::Kind;
        if (stored == SQLITE_NULL) {
            add(CellKind::Null, 0);
            return;
        }
        if (stored == SQLITE_INTEGER) {
            const qint64 number = sqlite3_column_int64(statement, column);
            if (declared == Kind::Integer || declared == Kind::Unknown) {
                add(CellKind::Integer, number);
                return;
            }
            if (declared == Kind::Currency) {
                add(CellKind::Currency, number);
                return;
            }
            if (declared == Kind::Boolean) {
                add(CellKind::Bool, number != 0 ? 1 : 0);
                return;
            }
        } else if (stored == SQLITE_TEXT && (declared == Kind::Text || declared == Kind::Unknown ||
                                             declared == Kind::DateTime)) {
            const unsigned char* text = sqlite3_column_text(statement, column);
            const int bytes = sqlite3_column_bytes(statement, column);
            if (declared != Kind::DateTime) {
                addUtf8(text, bytes);
                return;
            }
            if (const auto date = isoDate(text, bytes)) {
                add(CellKind::Date, dayTimeKey(*date));
                return;
            }
        }
        addValue(ColumnValue::read(statement, column, declared));
    }

    QVariant value(qsizetype i) const {
        const qint64 p = payload(i);
        switch (kind(i)) {
        case CellKind::Null:
            return {};
        case CellKind::Bool:
            return QVariant(p != 0);
        case CellKind::Integer:
            return QVariant(qlonglong(p));
        case CellKind::Double:
            return QVariant(number(i));
        case CellKind::Currency:
            return QVariant::fromValue(Currency::fromUnits(p));
        case CellKind::Date:
            return QVariant(dayOf(p));
        case CellKind::DateTime:
            return QVariant(QDateTime(dayOf(p), timeOf(p)));
        case CellKind::Text:
            return QVariant(storedText(i).toString());
        case CellKind::Other:
            return m_others.at(p);
        }
        return {};
    }

    double number(qsizetype i) const {
        double value = 0;
        const qint64 bits = payload(i);
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    QStringView storedText(qsizetype i) const {
        const qint64 p = payload(i);
        const char16_t* at = m_chunks[size_t(p >> 32)].data() + (p & 0xffffffff);
        const qsizetype length = qsizetype(at[0]) | (qsizetype(at[1]) << 16);
        return QStringView(at + 2, length);
    }

    void appendText(qsizetype i, QString& out) const {
        const qint64 p = payload(i);
        switch (kind(i)) {
        case CellKind::Null:
            return;
        case CellKind::Bool:
            out += p != 0 ? QLatin1String("True") : QLatin1String("False");
            return;
        case CellKind::Integer:
            out += QString::number(p);
            return;
        case CellKind::Double:
            out += QString::number(number(i), 'g', 15);
            return;
        case CellKind::Currency:
            out += moneyPattern.isEmpty() ? Currency::fromUnits(p).toString()
                                          : Currency::fromUnits(p).format(moneyPattern);
            return;
        case CellKind::Date:
            out += DateText::shortDate(dayOf(p));
            return;
        case CellKind::DateTime:
            out += DateText::generalDate(QDateTime(dayOf(p), timeOf(p)));
            return;
        case CellKind::Text:
            out += storedText(i);
            return;
        case CellKind::Other:
            out += General::ValueText(m_others.at(p));
            return;
        }
    }

    void finish() {
        m_kinds.shrink_to_fit();
        m_payload.shrink_to_fit();
        if (!m_chunks.empty())
            m_chunks.back().shrink_to_fit();
    }

private:
    // Room for a text of `length` units, its length written in front of it.
    char16_t* reserveText(qsizetype length) {
        const qsizetype needed = length + 2;
        if (m_chunks.empty() ||
            qsizetype(m_chunks.back().capacity() - m_chunks.back().size()) < needed) {
            // Chunks grow up to half a megabyte; a longer text gets one of its own.
            m_nextChunk = std::min<qsizetype>(m_nextChunk * 2, 256 * 1024);
            m_chunks.emplace_back();
            m_chunks.back().reserve(size_t(std::max(m_nextChunk, needed)));
        }
        std::vector<char16_t>& chunk = m_chunks.back();
        const qint64 offset = qint64(chunk.size());
        add(CellKind::Text, (qint64(m_chunks.size() - 1) << 32) | offset);
        chunk.resize(chunk.size() + size_t(needed));
        char16_t* at = chunk.data() + offset;
        at[0] = char16_t(length & 0xffff);
        at[1] = char16_t((length >> 16) & 0xffff);
        return at + 2;
    }

    std::vector<CellKind> m_kinds;
    std::vector<qint64> m_payload;
    std::vector<std::vector<char16_t>> m_chunks;
    qsizetype m_nextChunk = 2048;
    QVector<QVariant> m_others;
};

// ---------------------------------------------------------------------------------------------

GridRows::GridRows() = default;
GridRows::~GridRows() = default;
GridRows::GridRows(GridRows&&) noexcept = default;
GridRows& GridRows::operator=(GridRows&&) noexcept = default;

GridRows GridRows::fromRecordset(const Recordset& recordset) {
    GridRows rows;
    rows.m_headers = recordset.columnNames();
    for (int c = 0; c < rows.columnCount(); ++c)
        rows.m_columns.push_back(std::make_unique<Column>());
    rows.m_order.reserve(size_t(recordset.rowCount()));
    for (int r = 0; r < recordset.rowCount(); ++r)
        rows.appendRecord(recordset.row(r));
    for (const auto& column : rows.m_columns)
        column->finish();
    return rows;
}

void GridRows::appendRecord(const QVariantList& values) {
    for (int c = 0; c < columnCount(); ++c)
        m_columns[size_t(c)]->addValue(values.value(c));
    m_order.push_back(quint32(m_order.size()));
}

GridRows GridRows::forCursor(const RowCursor& cursor) {
    GridRows rows;
    for (const RowCursor::Column& described : cursor.columns()) {
        rows.m_headers.append(described.name);
        auto column = std::make_unique<Column>();
        column->declared = described.kind;
        column->moneyPattern = described.moneyPattern;
        rows.m_columns.push_back(std::move(column));
    }
    return rows;
}

qint64 GridRows::readRows(RowCursor& cursor, qint64 maxRows) {
    qint64 count = 0;
    while ((maxRows <= 0 || count < maxRows) && cursor.advance()) {
        sqlite3_stmt* statement = cursor.m_statement->handle();
        for (int c = 0; c < columnCount(); ++c) {
            Column& column = *m_columns[size_t(c)];
            if (column.adapt)
                column.addValue(column.adapt(ColumnValue::read(statement, c, column.declared)));
            else
                column.addCell(statement, c);
        }
        m_order.push_back(quint32(m_order.size()));
        ++count;
    }
    if (cursor.m_finished) {
        m_order.shrink_to_fit();
        for (const auto& column : m_columns)
            column->finish();
    }
    return count;
}

void GridRows::setAdapter(int column, Adapter adapt) {
    if (column >= 0 && column < columnCount())
        m_columns[size_t(column)]->adapt = std::move(adapt);
}

int GridRows::rowCount() const {
    return int(m_order.size());
}

QVariant GridRows::value(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return m_columns[size_t(column)]->value(stored(row));
}

QString GridRows::text(int row, int column) const {
    QString out;
    appendText(row, column, out);
    return out;
}

void GridRows::appendText(int row, int column, QString& out) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    m_columns[size_t(column)]->appendText(stored(row), out);
}

void GridRows::setMoneyPattern(int column, const QString& pattern) {
    if (column >= 0 && column < columnCount())
        m_columns[size_t(column)]->moneyPattern = pattern;
}

// ---------------------------------------------------------------------------------------------
// Sorting

namespace {

enum class SortKind { Number, Date, Text };

// What a sort reads of a value that is neither a plain number, amount nor date: its text.
struct TextKey {
    quint64 prefix = 0; // the first four folded units, for quick decisions
    qsizetype offset = 0;
    qsizetype length = 0;
};

struct Folded {
    static constexpr char16_t Escape = 0xffff;
    std::vector<char16_t> units;

    TextKey add(QStringView text) {
        TextKey key;
        key.offset = qsizetype(units.size());
        char32_t last = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char32_t folded = foldUnit(text.utf16()[i], last);
            // Values beyond the 16 bits of a unit (and the last one, which would be taken for
            // the mark) are written as the mark and the value in two units: the order of the
            // units stays the order of the values, and no value's units begin another's.
            if (folded < Escape) {
                units.push_back(char16_t(folded));
            } else {
                units.push_back(Escape);
                units.push_back(char16_t(folded >> 16));
                units.push_back(char16_t(folded & 0xffff));
            }
        }
        key.length = qsizetype(units.size()) - key.offset;
        for (qsizetype i = 0; i < std::min<qsizetype>(key.length, 4); ++i)
            key.prefix |= quint64(units[size_t(key.offset + i)]) << (48 - 16 * i);
        return key;
    }

    bool less(const TextKey& a, const TextKey& b) const {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const std::u16string_view x(units.data() + a.offset, size_t(a.length));
        const std::u16string_view y(units.data() + b.offset, size_t(b.length));
        return x < y;
    }
};

struct NumberEntry {
    double number;
    quint32 position;
};

struct TextEntry {
    TextKey text;
    quint32 position;
};

struct DateEntry {
    qint64 date; // InvalidDate for a text that names no date
    TextKey text;
    quint32 position;
};

constexpr qint64 InvalidDate = std::numeric_limits<qint64>::max();

// Sorts the entries of the values that are not empty; puts the empty ones (kept in their order)
// first when ascending, last when descending; returns the new order of the positions, or an
// empty list when it is the order they are in.
template <class Entry, class Less>
std::vector<quint32> ordered(std::vector<Entry>& entries, const std::vector<quint32>& empty,
                             int count, Qt::SortOrder order, Less less) {
    const bool ascending = order == Qt::AscendingOrder;
    const auto compare = [&](const Entry& a, const Entry& b) {
        return ascending ? less(a, b) : less(b, a);
    };
    // Rows that came in this order already (a refill of rows the statement sorted) need no
    // sort: a quick pass over them says so.
    bool emptyInPlace = true;
    for (size_t i = 0; i < empty.size() && emptyInPlace; ++i)
        emptyInPlace = empty[i] == (ascending ? quint32(i) : quint32(entries.size() + i));
    if (emptyInPlace && std::is_sorted(entries.begin(), entries.end(), compare))
        return {};
    std::stable_sort(entries.begin(), entries.end(), compare);
    std::vector<quint32> positions;
    positions.reserve(size_t(count));
    if (ascending)
        positions.insert(positions.end(), empty.begin(), empty.end());
    for (const Entry& entry : entries)
        positions.push_back(entry.position);
    if (!ascending)
        positions.insert(positions.end(), empty.begin(), empty.end());
    return positions;
}

} // namespace

QVector<int> GridRows::sortPositions(int column, Qt::SortOrder order) const {
    const int count = rowCount();
    if (column < 0 || column >= columnCount() || count < 2)
        return {};
    const Column& values = *m_columns[size_t(column)];

    QString scratch;
    // A value's text as shown, without a copy for stored texts.
    const auto textOf = [&](qsizetype i) -> QStringView {
        if (values.kind(i) == CellKind::Text)
            return values.storedText(i);
        scratch.clear();
        values.appendText(i, scratch);
        return scratch;
    };
    const auto isEmpty = [&](qsizetype i) {
        switch (values.kind(i)) {
        case CellKind::Null:
            return true;
        case CellKind::Text:
            return isBlank(values.storedText(i));
        case CellKind::Other:
            return isBlank(textOf(i));
        default:
            return false;
        }
    };
    const auto numberOf = [&](qsizetype i) -> std::optional<double> {
        switch (values.kind(i)) {
        case CellKind::Integer:
            return double(values.payload(i));
        case CellKind::Double:
            return values.number(i);
        case CellKind::Currency:
            return Currency::fromUnits(values.payload(i)).toDouble();
        case CellKind::Bool:
        case CellKind::Date:
        case CellKind::DateTime:
        case CellKind::Null:
            return std::nullopt;
        default:
            return General::NumberOf(values.value(i));
        }
    };
    const auto dateOf = [&](qsizetype i) -> std::optional<qint64> {
        switch (values.kind(i)) {
        case CellKind::Date:
        case CellKind::DateTime:
            return values.payload(i);
        case CellKind::Null:
            return std::nullopt;
        default:
            return readDayTime(textOf(i).toString());
        }
    };

    // One kind for the whole column, so that every pair of rows compares the same way, decided
    // over the rows in the order shown. A column that holds dates as values is a date column
    // even where a value is text that names no date (a collection date stored in a form that
    // cannot be read); such text sorts after the dates.
    SortKind kind = SortKind::Number;
    bool holdsDates = false;
    for (qsizetype i = 0; i < values.size() && !holdsDates; ++i) {
        const CellKind cell = values.kind(i);
        holdsDates =
            cell == CellKind::Date || cell == CellKind::DateTime ||
            (cell == CellKind::Other && (values.value(i).typeId() == QMetaType::QDate ||
                                         values.value(i).typeId() == QMetaType::QDateTime));
    }
    for (int row = 0; row < count; ++row) {
        if (holdsDates) {
            kind = SortKind::Date;
            break;
        }
        const qsizetype i = stored(row);
        if (isEmpty(i))
            continue;
        if (kind == SortKind::Number && !numberOf(i))
            kind = SortKind::Date;
        if (kind == SortKind::Date && !dateOf(i)) {
            kind = SortKind::Text;
            break;
        }
    }

    std::vector<quint32> empty;
    Folded folded;
    std::vector<quint32> positions;
    if (kind == SortKind::Number) {
        std::vector<NumberEntry> entries;
        entries.reserve(size_t(count));
        for (int row = 0; row < count; ++row) {
            const qsizetype i = stored(row);
            if (isEmpty(i))
                empty.push_back(quint32(row));
            else
                entries.push_back({numberOf(i).value_or(0.0), quint32(row)});
        }
        positions =
            ordered(entries, empty, count, order,
                    [](const NumberEntry& a, const NumberEntry& b) { return a.number < b.number; });
    } else if (kind == SortKind::Date) {
        std::vector<DateEntry> entries;
        entries.reserve(size_t(count));
        for (int row = 0; row < count; ++row) {
            const qsizetype i = stored(row);
            if (isEmpty(i)) {
                empty.push_back(quint32(row));
                continue;
            }
            DateEntry entry{dateOf(i).value_or(InvalidDate), {}, quint32(row)};
            if (entry.date == InvalidDate)
                entry.text = folded.add(textOf(i));
            entries.push_back(entry);
        }
        positions = ordered(entries, empty, count, order,
                            [&folded](const DateEntry& a, const DateEntry& b) {
                                if (a.date != b.date)
                                    return a.date < b.date;
                                return a.date == InvalidDate && folded.less(a.text, b.text);
                            });
    } else {
        std::vector<TextEntry> entries;
        entries.reserve(size_t(count));
        for (int row = 0; row < count; ++row) {
            const qsizetype i = stored(row);
            if (isEmpty(i))
                empty.push_back(quint32(row));
            else
                entries.push_back({folded.add(textOf(i)), quint32(row)});
        }
        positions = ordered(entries, empty, count, order,
                            [&folded](const TextEntry& a, const TextEntry& b) {
                                return folded.less(a.text, b.text);
                            });
    }
    if (positions.empty())
        return {};

    QVector<int> moved(count);
    for (int position = 0; position < count; ++position)
        moved[int(positions[size_t(position)])] = position;
    return moved;
}

void GridRows::reorder(const QVector<int>& positions) {
    if (positions.size() != rowCount())
        return;
    std::vector<quint32> newOrder(m_order.size());
    for (int row = 0; row < rowCount(); ++row)
        newOrder[size_t(positions[row])] = m_order[size_t(row)];
    m_order = std::move(newOrder);
}
