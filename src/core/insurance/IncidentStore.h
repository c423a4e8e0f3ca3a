#pragma once

#include "records/RecordStore.h"

#include <QDate>
#include <QList>
#include <QString>

// The incidents (a fire, a burglary, a flood) and the inventory items lost or damaged in each
// (tblIncident, tblIncidentItem). Marking an item changes nothing of the item; deleting an
// item takes it out of its incidents, and deleting an incident takes its marks with it.
class IncidentStore : public RecordStore {
public:
    struct Values {
        // Each member has an initializer, so callers name only the members they set.
        QString IncidentNM{};
        QDate IncidentDT{};
        QString KindTX{};
        QString NotesTX{};
    };
    static constexpr int NameWidth = 50;
    static constexpr int KindWidth = 40;

    explicit IncidentStore(const dvData& data);

    // Why the values cannot be stored (a missing or too long name, no date, a too long kind);
    // "" when they can.
    static QString problem(const Values& values);

    // IncidentID, Incident, Date (short date), Kind, Items (how many are marked), Notes; the
    // latest incident first.
    Recordset List() const;
    // The incident's row of tblIncident; no row when there is no such incident.
    Recordset Retrieve(qint64 incidentID) const;
    bool exists(qint64 incidentID) const;
    // Stores a new incident and returns its IncidentID. Throws DbError when the values have a
    // problem.
    qint64 Add(const Values& values) const;
    void Update(qint64 incidentID, const Values& values) const;
    void Delete(qint64 incidentID) const;

    // Marks items as lost or damaged in the incident, all or none; an item marked already stays
    // as it is. Returns how many were newly marked. Throws DbError naming the first incident or
    // item that does not exist.
    int AddItems(qint64 incidentID, const QList<qint64>& itemIDs) const;
    void RemoveItems(qint64 incidentID, const QList<qint64>& itemIDs) const;
    // The marked items as the incidents window lists them: ItemID, Manufacturer, Item, Model,
    // Type, Location, by manufacturer and item name.
    Recordset Items(qint64 incidentID) const;
    // The marked items' whole tblItem rows, in the same order.
    Recordset ItemRows(qint64 incidentID) const;
};
