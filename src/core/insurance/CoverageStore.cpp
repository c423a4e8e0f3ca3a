#include "insurance/CoverageStore.h"

#include "data/DbError.h"

CoverageStore::CoverageStore(const dvData& data)
    : RecordStore(data) {}

CoverageStore::Limits CoverageStore::limits() const {
    Connection connection = connect();
    Limits limits;
    const QVariant contents =
        connection.scalar(QStringLiteral("SELECT ContentsLimitAM FROM tblCoverage"));
    if (!contents.isNull())
        limits.contents = contents.value<Currency>();
    // The type's name as the list spells it, whatever case the limit was stored under.
    const Recordset rows = connection.query(
        QStringLiteral("SELECT t.TypeTX, l.LimitAM FROM tblCoverageLimit l JOIN tblType_Lkp t "
                       "ON t.TypeTX = l.TypeTX ORDER BY t.TypeTX"));
    for (int r = 0; r < rows.rowCount(); ++r)
        limits.byType.insert(rows.value(r, 0).toString(), rows.value(r, 1).value<Currency>());
    return limits;
}

void CoverageStore::save(const Limits& limits) const {
    Connection connection = connect();
    Transaction transaction(connection);
    writeContents(connection, limits.contents);
    connection.execute(QStringLiteral("DELETE FROM tblCoverageLimit"));
    for (auto limit = limits.byType.cbegin(); limit != limits.byType.cend(); ++limit)
        writeLimit(connection, limit.key(), limit.value());
    transaction.commit();
}

void CoverageStore::setContentsLimit(std::optional<Currency> limit) const {
    Connection connection = connect();
    writeContents(connection, limit);
}

void CoverageStore::setLimit(const QString& type, std::optional<Currency> limit) const {
    Connection connection = connect();
    Transaction transaction(connection);
    writeLimit(connection, type, limit);
    transaction.commit();
}

void CoverageStore::writeContents(Connection& connection, std::optional<Currency> limit) {
    if (limit && *limit < Currency())
        throw DbError(QStringLiteral("A limit cannot be less than 0."));
    if (limit)
        connection.execute(QStringLiteral("INSERT OR REPLACE INTO tblCoverage (CoverageID, "
                                          "ContentsLimitAM) VALUES (1, ?)"),
                           {QVariant::fromValue(*limit)});
    else
        connection.execute(QStringLiteral("DELETE FROM tblCoverage"));
}

void CoverageStore::writeLimit(Connection& connection, const QString& type,
                               std::optional<Currency> limit) {
    const QVariant listed = connection.scalar(
        QStringLiteral("SELECT TypeTX FROM tblType_Lkp WHERE TypeTX = ?"), {type});
    if (listed.isNull())
        throw DbError(QStringLiteral("There is no item type '%1'.").arg(type));
    if (limit && *limit < Currency())
        throw DbError(QStringLiteral("A limit cannot be less than 0."));
    connection.execute(QStringLiteral("DELETE FROM tblCoverageLimit WHERE TypeTX = ?"), {listed});
    if (limit)
        connection.execute(
            QStringLiteral("INSERT INTO tblCoverageLimit (TypeTX, LimitAM) VALUES (?, ?)"),
            {listed, QVariant::fromValue(*limit)});
}
