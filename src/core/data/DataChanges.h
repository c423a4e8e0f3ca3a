#pragma once

#include <QObject>

// Tells whoever shows data that it changed under them, so that each window refreshes itself
// and no code reaches into another window to do it. Whatever changes the data outside the
// window that shows it emits the matching signal once the change is stored: the list
// maintenance, moving items, and the restore and compact that replace the whole file. A window
// that makes a change itself refreshes itself directly, as it always has.
//
// One object for the process, on the one thread everything runs on.
class DataChanges : public QObject {
    Q_OBJECT
public:
    enum class List { ItemTypes, Locations };
    Q_ENUM(List)

    static DataChanges& instance();

signals:
    // Inventory items were added, changed, moved or deleted.
    void itemsChanged();
    // An entry of the item type or location list was added, renamed (the items that carry it
    // carry the new name) or deleted.
    void listChanged(DataChanges::List list);
    // Collections, their fields or their items changed.
    void collectionsChanged();
    // The database file was replaced as a whole (restored, compacted): everything shown is
    // stale.
    void databaseReplaced();

private:
    DataChanges() = default;
};
