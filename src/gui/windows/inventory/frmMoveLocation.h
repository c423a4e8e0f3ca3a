#pragma once

#include "dialogs/FormDialog.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// Moves any number of items from one location to another in one step. The source offers only
// the locations that hold items; the target, every location of the list. exec() loads the
// dialog; wasCancelled() tells the caller afterwards whether anything moved. A move is
// announced through DataChanges, so the windows that show items refresh themselves.
class frmMoveLocation : public FormDialog {
    Q_OBJECT
public:
    explicit frmMoveLocation(QWidget* parent = nullptr);

    // True after Cancel, false after a move.
    bool wasCancelled() const { return cancelled(); }

    void Form_Load() override;

    void cmdMove_Click();
    void cmdCancel_Click();

private:
    void cboMoveFrom_Populate();
    void cboMoveTo_Populate();
    void lstItems_Populate();
    void cboMoveFrom_Click();
    void cmdMove_Enable();
    void SelectAllItems(bool selected);
    bool refuse(const QString& message, QWidget* control);

    QComboBox* m_cboMoveFrom;
    QListWidget* m_lstItems;
    QPushButton* m_cmdSelectAll;
    QPushButton* m_cmdClearAll;
    QComboBox* m_cboMoveTo;
    QPushButton* m_cmdMove;
    QPushButton* m_cmdCancel;
};
