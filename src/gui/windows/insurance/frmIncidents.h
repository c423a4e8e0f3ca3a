#pragma once

#include "dialogs/FormDialog.h"

#include <optional>

class GridView;
class QLabel;
class QPushButton;

// Incidents and claims: the incidents on file (the latest first) with, for the one selected,
// the items lost or damaged in it. From here the user records, changes and deletes incidents,
// adds and removes items, and hands the insurer the claim list: a page in the browser with
// every item's prices, papers and pictures, and the same rows as a CSV file.
class frmIncidents : public FormDialog {
    Q_OBJECT
public:
    explicit frmIncidents(QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdAddItems_Click();
    void cmdRemoveItems_Click();
    void cmdClaim_Click();
    void cmdClaimCsv_Click();

    // The incident selected in the list.
    std::optional<qint64> selectedIncidentID() const;

private:
    void lvwIncidents_Populate(qint64 select);
    void lvwItems_Populate();
    void lvwIncidents_SelectionChanged();
    void lvwItems_SelectionChanged();
    QString selectedIncidentName() const;
    QList<qint64> selectedItemIDs() const;
    void run(void (frmIncidents::*command)());

    GridView* m_lvwIncidents;
    QLabel* m_hdgItems;
    GridView* m_lvwItems;
    QPushButton* m_cmdNew;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdDelete;
    QPushButton* m_cmdAddItems;
    QPushButton* m_cmdRemoveItems;
    QPushButton* m_cmdClaim;
    QPushButton* m_cmdClaimCsv;
    QPushButton* m_cmdClose;
};
