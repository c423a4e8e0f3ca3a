#pragma once

#include "app/Clock.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/RowCursor.h"
#include "types/Currency.h"

#include <QDate>
#include <QStringList>

class dvData;

// What every record class shares: it reaches the database through its context's connection
// string, opening a connection per call and closing it before returning, so that nothing stays
// open between calls (maintenance may replace the file while the application runs).
class RecordStore {
public:
    explicit RecordStore(const dvData& data)
        : m_data(data) {}

protected:
    const dvData& data() const { return m_data; }
    Connection connect() const;
    Recordset read(const QString& sql, const QVariantList& params = {}) const;
    // The same rows, read one at a time on a connection the cursor keeps until it goes.
    RowCursor readRows(const QString& sql, const QVariantList& params = {}) const;
    void write(const QString& sql, const QVariantList& params = {}) const;
    qint64 count(const QString& sql, const QVariantList& params = {}) const;

    // An amount as the editors pass it (the text the user typed, a Currency, a number, or
    // Null). Null and the empty text are 0, because an amount left empty is stored as 0; text
    // that is not an amount throws DbError rather than storing something else.
    static Currency amountValue(const QVariant& value);
    // A date for a date column: a QDate, or the date of a QDateTime (dates are kept without a
    // time of day); Null and the empty text give Null; text is read as the user types dates.
    // Anything else throws DbError.
    static QVariant dateValue(const QVariant& value);
    // The date a write stamps into LastChangeDT.
    static QDate today() { return Clock::today(); }

    // An ORDER BY list that callers pass as text ("PurchaseLocationTX, ManufacturerNM DESC"),
    // checked so that only the given columns reach the statement. Each entry of columns is a
    // column as the statement names it ("a.ItemNM" or "ItemNM"); a term matches it by that name
    // or by its bare column name, without regard to letter case. Returns the list with each
    // term written as its entry, ASC/DESC kept; "" for an empty clause. Throws DbError for a
    // term that names no such column.
    static QString orderByList(const QString& clause, const QStringList& columns);

private:
    const dvData& m_data;
};
