#pragma once

#include "dialogs/FormDialog.h"

#include <QList>

class QLineEdit;
class QListWidget;
class QPushButton;

// Picks inventory items to mark in an incident: every item not marked in it yet, narrowed by
// what the user types into the find box; any number may be selected. After OK, itemIDs()
// holds the chosen ones; the caller marks them.
class frmIncidentItems : public FormDialog {
    Q_OBJECT
public:
    explicit frmIncidentItems(QWidget* parent = nullptr);

    void setIncidentID(qint64 incidentID) { m_incidentID = incidentID; }
    QList<qint64> itemIDs() const { return m_itemIDs; }

    void Form_Load() override;
    void cmdOK_Click();

private:
    void lstItems_Populate();
    void txtFind_Change();
    void SelectAllItems(bool selected);

    qint64 m_incidentID = 0;
    QList<qint64> m_itemIDs;
    QLineEdit* m_txtFind;
    QListWidget* m_lstItems;
    QPushButton* m_cmdSelectAll;
    QPushButton* m_cmdClearAll;
};
