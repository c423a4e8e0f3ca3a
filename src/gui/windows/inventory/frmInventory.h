#pragma once

#include "app/ListPanelWindow.h"
#include "data/DataChanges.h"

#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The Home Inventory window: on the left the view ("Item Type", "Location", "Manufacturer",
// "Purchase Date") and its values, taken from the items themselves; on the right the items of
// the chosen value. From here the user adds, edits and deletes items (one selected row at a
// time) and marks the selected items as lost or damaged in an incident; the Edit menu reaches
// the same commands while this window is on display. Changes made elsewhere (list maintenance,
// moving items) reach it through DataChanges.
class frmInventory : public ListPanelWindow {
    Q_OBJECT
public:
    explicit frmInventory(QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdNew_Click() override;
    void cmdEdit_Click() override;
    void cmdDelete_Click() override;
    QString sortMessage() const override { return QStringLiteral("Inventory sort"); }

    // Rebuilds the value list and selects "*** All ***", or the entry `setIndex` when the list
    // has one there; selecting fills the grid.
    void lstViewValues_Populate(std::optional<int> setIndex = std::nullopt);
    // Fills the grid with the items of the selected value.
    void lvwItems_Populate();

    // The view chosen ("Item Type", "Location", ...).
    QString viewByText() const;
    // The ItemIDs of the selected rows (the user may select several for the Edit menu's Add to
    // Incident command), top to bottom as shown.
    QList<qint64> selectedItemIDs() const;

protected:
    void layoutPanel(int width, int height) override;

private:
    void cboViewBy_Populate();
    void cboViewBy_Click();
    void lstViewValues_Click();
    void lvwItems_SizeColumns();
    // Empties the grid when no value is chosen.
    void clearGrid();
    void lvwItems_SelectionChanged(int row);
    void lvwItems_DblClick();
    void setItemCommandsEnabled(bool enabled);
    // After Edit or Delete, whatever the user answered.
    void endItemCommand();
    // The ItemID of the selected row; nullopt when no row, or the placeholder row, is selected.
    std::optional<qint64> selectedItemID() const;
    // Changes made outside this window.
    void itemsChanged();
    void listChanged(DataChanges::List list);
    // Runs a command so that an engine error is shown and the window goes on.
    void run(void (frmInventory::*command)());

    QLabel* m_lblViewDataBy;
    QComboBox* m_cboViewBy;
    QListWidget* m_lstViewValues;
    QPushButton* m_cmdNew;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdDelete;
};
