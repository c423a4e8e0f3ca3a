#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Deletes a collection with its fields, items and values, once the user has typed the word YES.
// The caller sets the collection name, shows the window modally and reads cancelled()
// afterwards. Closing the window in any way but OK counts as Cancel.
class frmCollectionDelete : public QDialog {
    Q_OBJECT
public:
    explicit frmCollectionDelete(QWidget* parent = nullptr);

    QString collectionName() const { return m_collectionName; }
    void setCollectionName(const QString& name) { m_collectionName = name; }
    bool cancelled() const { return m_cancelled; }

    void cmdOK_Click();
    void cmdCancel_Click();
    // Escape and the title bar's close box end the window as Cancel does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void txtVerify_Change();

    QString m_collectionName;
    bool m_cancelled = true;
    bool m_loaded = false;
    QLabel* m_lblText2;
    QLineEdit* m_txtVerify;
    QPushButton* m_cmdOK;
};
