#pragma once

#include "app/ToolWindow.h"

#include <optional>

class GridView;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The Home Inventory window: on the left the view ("Item Type", "Location", "Manufacturer",
// "Purchase Date") and its values, taken from the items themselves; on the right the items of
// the chosen value. From here the user adds, edits and deletes items; the Edit menu reaches the
// same commands while this window is on display.
class frmInventory : public ToolWindow {
    Q_OBJECT
public:
    explicit frmInventory(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

    void cmdNew_Click() override;
    void cmdEdit_Click() override;
    void cmdDelete_Click() override;
    GridView* grid() override;

    // Rebuilds the value list and selects "*** All ***", or the entry `setIndex` when the list
    // has one there; selecting fills the grid.
    void lstViewValues_Populate(std::optional<int> setIndex = std::nullopt);
    // Fills the grid with the items of the selected value.
    void lvwItems_Populate();

    // The view chosen ("Item Type", "Location", ...).
    QString viewByText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void cboViewBy_Populate();
    void cboViewBy_Click();
    void lstViewValues_Click();
    void lvwItems_SizeColumns();
    void lvwItems_SelectionChanged(int row);
    void lvwItems_DblClick();
    void setItemCommandsEnabled(bool enabled);
    // After Edit or Delete, whatever the user answered.
    void endItemCommand();
    // The ItemID of the selected row; nullopt when no row, or the placeholder row, is selected.
    std::optional<qint64> selectedItemID() const;
    // Runs a command so that an engine error is shown and the window goes on.
    void run(void (frmInventory::*command)());

    QWidget* m_panel;
    QLabel* m_viewByLabel;
    QComboBox* m_viewBy;
    QListWidget* m_values;
    QPushButton* m_new;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QLabel* m_heading;
    GridView* m_items;
};
