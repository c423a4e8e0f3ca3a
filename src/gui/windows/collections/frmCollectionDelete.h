#pragma once

#include "dialogs/FormDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Deletes a collection with its fields, items and values, once the user has typed the word YES.
// The caller sets the collection name, shows the window modally and reads cancelled()
// afterwards. Closing the window in any way but OK counts as Cancel.
class frmCollectionDelete : public FormDialog {
    Q_OBJECT
public:
    explicit frmCollectionDelete(QWidget* parent = nullptr);

    QString collectionName() const { return m_collectionName; }
    void setCollectionName(const QString& name) { m_collectionName = name; }

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load() override;
    void txtVerify_Change();

    QString m_collectionName;
    QLabel* m_lblText2;
    QLineEdit* m_txtVerify;
    QPushButton* m_cmdOK;
};
