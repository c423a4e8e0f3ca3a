#pragma once

#include "dialogs/FormDialog.h"

#include <QList>

class QComboBox;
class QLabel;
class QListWidget;
class frmMain;

// The Edit menu's Add to Incident command on the inventory window: marks the items selected
// there as lost or damaged in an incident chosen from the list, or in a new one recorded from
// here. The items themselves are not changed.
class frmIncidentMark : public FormDialog {
    Q_OBJECT
public:
    explicit frmIncidentMark(QWidget* parent = nullptr);

    // The items selected in the inventory window, when it is the window on display.
    static QList<qint64> selectedInventoryItems(const frmMain& main);

    void setItemIDs(const QList<qint64>& itemIDs) { m_itemIDs = itemIDs; }
    // The incident the items were marked in, after OK.
    qint64 incidentID() const;

    void Form_Load() override;
    void cmdNewIncident_Click();
    void cmdOK_Click();

private:
    void cboIncident_Populate(qint64 select);
    void lstItems_Populate();

    QList<qint64> m_itemIDs;
    QLabel* m_lblItems;
    QListWidget* m_lstItems;
    QComboBox* m_cboIncident;
};
