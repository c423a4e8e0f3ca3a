#pragma once

#include "app/ListPanelWindow.h"

class QLabel;
class QListWidget;
class QPushButton;

// The collections tool window: the list of collections on the left, with the buttons that
// define, change and delete them and add, change and delete items; the items of the chosen
// collection on the right, one grid column per field. While it is on display the Edit menu's
// item commands and the copy commands act here, and Move Location, an inventory command, is
// hidden. Changes made elsewhere reach it through DataChanges.
class frmCollections : public ListPanelWindow {
    Q_OBJECT
public:
    explicit frmCollections(QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdNew_Click() override;
    void cmdEdit_Click() override;
    void cmdDelete_Click() override;
    QString sortMessage() const override { return QStringLiteral("Collection sort"); }

    // Refills the grid with the items of the collection it shows.
    void lvwItems_Populate();

protected:
    void layoutPanel(int width, int height) override;

private:
    void lstCollection_Populate();
    void lstCollection_Click();
    void lvwItems_SizeColumns();
    void lvwItems_SelectionChanged(int row);
    void lvwItems_DblClick();
    void cmdNewCollection_Click();
    void cmdEditCollection_Click();
    void cmdDeleteCollection_Click();
    void setCollectionCommandsEnabled(bool enabled);
    void setNewItemEnabled(bool enabled);
    void clearItemSelection();
    void clearGrid();
    QString selectedCollection() const;
    qint64 selectedItemID() const;
    // Collections changed outside this window.
    void collectionsChanged();

    // The collection whose items the grid shows, which the item commands act on; "" when the
    // grid is empty. The list may have no selection meanwhile (after it is refilled).
    QString m_collection;

    QLabel* m_hdgCollection;
    QListWidget* m_lstCollection;
    QPushButton* m_cmdNewCollection;
    QPushButton* m_cmdEditCollection;
    QPushButton* m_cmdDeleteCollection;
    QPushButton* m_cmdNew;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdDelete;
};
