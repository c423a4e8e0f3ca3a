#include "insurance/InsuranceUpgrade.h"

#include "data/Connection.h"
#include "data/Schema.h"

#include <QStringList>

namespace {

// The tables Schema::insuranceScript() creates.
const QStringList Tables = {QStringLiteral("tblIncident"), QStringLiteral("tblIncidentItem"),
                            QStringLiteral("tblCoverage"), QStringLiteral("tblCoverageLimit")};

bool hasAllTables(Connection& connection) {
    for (const QString& table : Tables) {
        if (connection
                .scalar(QStringLiteral(
                            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"),
                        {table})
                .toLongLong() == 0)
            return false;
    }
    return true;
}

} // namespace

bool InsuranceUpgrade::isUpToDate(const QString& connString) {
    Connection connection(connString, Connection::OpenMode::ReadOnly);
    return hasAllTables(connection);
}

void InsuranceUpgrade::UpdateDatabase(const QString& connString) {
    Connection connection(connString);
    // Reading first keeps an up-to-date database from being written to at all.
    if (hasAllTables(connection))
        return;
    Transaction transaction(connection);
    connection.executeScript(Schema::insuranceScript());
    transaction.commit();
}
