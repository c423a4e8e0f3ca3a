#include "records/LookupList.h"

#include "data/DbError.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLookup, "domivo.records.lookup", QtWarningMsg)

LookupList::LookupList(const dvData& data, QString table, QString column)
    : RecordStore(data)
    , m_table(std::move(table))
    , m_column(std::move(column)) {}

QString LookupList::listStatement() const {
    return QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(m_table, m_column);
}

Recordset LookupList::List() const {
    return read(listStatement());
}

RowCursor LookupList::ListRows() const {
    return readRows(listStatement());
}

QString LookupList::insertStatement() const {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(m_table, m_column);
}

bool LookupList::Add(const QString& text) const {
    try {
        write(insertStatement(), {text});
        return true;
    } catch (const DbError& error) {
        qCDebug(lcLookup) << "refused" << text << error.message();
        return false;
    }
}

void LookupList::AddAll(const QStringList& texts) const {
    Connection connection = connect();
    Transaction transaction(connection);
    for (const QString& text : texts)
        connection.execute(insertStatement(), {text});
    transaction.commit();
}

bool LookupList::Update(const QString& oldValue, const QString& newValue) const {
    try {
        Connection connection = connect();
        Transaction transaction(connection);
        connection.execute(
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(m_table, m_column),
            {newValue, oldValue});
        // Names compare without regard to case, so the engine sees a change of case alone as
        // no change of the key and leaves the items as they were; they are given the new
        // spelling here.
        connection.execute(QStringLiteral("UPDATE tblItem SET %1 = ?1 WHERE %1 = ?1 AND "
                                          "%1 <> ?1 COLLATE BINARY")
                               .arg(m_column),
                           {newValue});
        transaction.commit();
        return true;
    } catch (const DbError& error) {
        qCDebug(lcLookup) << "refused" << oldValue << newValue << error.message();
        return false;
    }
}

bool LookupList::Delete(const QString& text) const {
    try {
        write(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_table, m_column), {text});
        return true;
    } catch (const DbError& error) {
        qCDebug(lcLookup) << "refused" << text << error.message();
        return false;
    }
}

invType::invType(const dvData& data)
    : LookupList(data, QStringLiteral("tblType_Lkp"), QStringLiteral("TypeTX")) {}

invLocation::invLocation(const dvData& data)
    : LookupList(data, QStringLiteral("tblLocation_Lkp"), QStringLiteral("LocationTX")) {}
