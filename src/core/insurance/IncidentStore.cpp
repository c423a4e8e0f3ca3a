#include "insurance/IncidentStore.h"

#include "data/DbError.h"
#include "types/DateText.h"

namespace {

const QString ItemOrder = QStringLiteral(" ORDER BY i.ManufacturerNM, i.ItemNM, i.ItemID");

QVariantList columnsOf(const IncidentStore::Values& values) {
    return {values.IncidentNM.trimmed(), values.IncidentDT, values.KindTX.trimmed(),
            values.NotesTX};
}

} // namespace

IncidentStore::IncidentStore(const dvData& data)
    : RecordStore(data) {}

QString IncidentStore::problem(const Values& values) {
    const QString name = values.IncidentNM.trimmed();
    if (name.isEmpty())
        return QStringLiteral("An incident needs a name.");
    if (name.size() > NameWidth)
        return QStringLiteral("An incident's name may have at most %1 characters.").arg(NameWidth);
    if (!values.IncidentDT.isValid())
        return QStringLiteral("An incident needs the date it happened.");
    if (values.KindTX.trimmed().size() > KindWidth)
        return QStringLiteral("An incident's kind may have at most %1 characters.").arg(KindWidth);
    return {};
}

Recordset IncidentStore::List() const {
    const Recordset rows =
        read(QStringLiteral("SELECT n.IncidentID, n.IncidentNM, n.IncidentDT, n.KindTX, "
                            "(SELECT count(*) FROM tblIncidentItem m WHERE m.IncidentID = "
                            "n.IncidentID) AS Items, n.NotesTX FROM tblIncident n "
                            "ORDER BY n.IncidentDT DESC, n.IncidentID DESC"));
    QVector<QVariantList> list;
    list.reserve(rows.rowCount());
    for (int r = 0; r < rows.rowCount(); ++r) {
        QVariantList row = rows.row(r);
        row[2] = DateText::displayText(row[2]);
        list.append(row);
    }
    return Recordset({QStringLiteral("IncidentID"), QStringLiteral("Incident"),
                      QStringLiteral("Date"), QStringLiteral("Kind"), QStringLiteral("Items"),
                      QStringLiteral("Notes")},
                     list);
}

Recordset IncidentStore::Retrieve(qint64 incidentID) const {
    return read(QStringLiteral("SELECT * FROM tblIncident WHERE IncidentID = ?"), {incidentID});
}

bool IncidentStore::exists(qint64 incidentID) const {
    return count(QStringLiteral("SELECT count(*) FROM tblIncident WHERE IncidentID = ?"),
                 {incidentID}) > 0;
}

qint64 IncidentStore::Add(const Values& values) const {
    if (const QString text = problem(values); !text.isEmpty())
        throw DbError(text);
    Connection connection = connect();
    connection.execute(QStringLiteral("INSERT INTO tblIncident (IncidentNM, IncidentDT, KindTX, "
                                      "NotesTX) VALUES (?, ?, ?, ?)"),
                       columnsOf(values));
    return connection.lastInsertId();
}

void IncidentStore::Update(qint64 incidentID, const Values& values) const {
    if (const QString text = problem(values); !text.isEmpty())
        throw DbError(text);
    write(QStringLiteral("UPDATE tblIncident SET IncidentNM = ?, IncidentDT = ?, KindTX = ?, "
                         "NotesTX = ? WHERE IncidentID = ?"),
          columnsOf(values) << incidentID);
}

void IncidentStore::Delete(qint64 incidentID) const {
    write(QStringLiteral("DELETE FROM tblIncident WHERE IncidentID = ?"), {incidentID});
}

int IncidentStore::AddItems(qint64 incidentID, const QList<qint64>& itemIDs) const {
    Connection connection = connect();
    Transaction transaction(connection);
    if (connection
            .scalar(QStringLiteral("SELECT count(*) FROM tblIncident WHERE IncidentID = ?"),
                    {incidentID})
            .toLongLong() == 0)
        throw DbError(QStringLiteral("There is no incident %1.").arg(incidentID));
    int added = 0;
    for (const qint64 itemID : itemIDs) {
        if (connection
                .scalar(QStringLiteral("SELECT count(*) FROM tblItem WHERE ItemID = ?"), {itemID})
                .toLongLong() == 0)
            throw DbError(QStringLiteral("There is no item %1.").arg(itemID));
        connection.execute(QStringLiteral("INSERT OR IGNORE INTO tblIncidentItem (IncidentID, "
                                          "ItemID) VALUES (?, ?)"),
                           {incidentID, itemID});
        added += int(connection.scalar(QStringLiteral("SELECT changes()")).toLongLong());
    }
    transaction.commit();
    return added;
}

void IncidentStore::RemoveItems(qint64 incidentID, const QList<qint64>& itemIDs) const {
    Connection connection = connect();
    Transaction transaction(connection);
    for (const qint64 itemID : itemIDs)
        connection.execute(
            QStringLiteral("DELETE FROM tblIncidentItem WHERE IncidentID = ? AND ItemID = ?"),
            {incidentID, itemID});
    transaction.commit();
}

Recordset IncidentStore::Items(qint64 incidentID) const {
    return read(QStringLiteral("SELECT i.ItemID, i.ManufacturerNM AS Manufacturer, i.ItemNM AS "
                               "Item, i.ModelSeriesTX AS Model, i.TypeTX AS Type, i.LocationTX "
                               "AS Location FROM tblIncidentItem m JOIN tblItem i ON i.ItemID = "
                               "m.ItemID WHERE m.IncidentID = ?") +
                    ItemOrder,
                {incidentID});
}

Recordset IncidentStore::ItemRows(qint64 incidentID) const {
    return read(QStringLiteral("SELECT i.* FROM tblIncidentItem m JOIN tblItem i ON i.ItemID = "
                               "m.ItemID WHERE m.IncidentID = ?") +
                    ItemOrder,
                {incidentID});
}
