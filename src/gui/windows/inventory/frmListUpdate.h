#pragma once

#include "dialogs/FormDialog.h"

#include <QMessageBox>
#include <optional>

class LookupList;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Maintains one of the two lists items are filed under: the item types (editType "TYPE") or
// the locations (any other editType; the main window passes "LOC"). The caller sets editType
// before exec(), which loads the dialog. Each stored change is announced through DataChanges,
// so the windows that show the list or the items refresh themselves.
class frmListUpdate : public FormDialog {
    Q_OBJECT
public:
    explicit frmListUpdate(QWidget* parent = nullptr);

    QString editType() const { return m_editType; }
    void setEditType(const QString& type) { m_editType = type; }

    // Sets the caption for the list and fills it; exec() runs it first.
    void Form_Load() override;

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdClose_Click();

private:
    bool isTypeList() const;
    const LookupList& list() const;
    void fillList();
    void setEntryCommandsEnabled(bool enabled);
    QListWidgetItem* selectedEntry() const;
    // The answer of an input box, trimmed; nullopt (after saying why) when it is too long or
    // holds a single quote.
    std::optional<QString> acceptableAnswer(const QString& prompt, const QString& defaultText);
    void tell(const QString& message, QMessageBox::Icon icon = QMessageBox::Warning);
    bool isOtherEntry(const QString& text, const QString& except) const;
    // Refills the list after a change, announcing it when the list did change.
    void changed(bool stored);

    QString m_editType;
    QString m_kindName;
    QListWidget* m_lstEntries;
    QPushButton* m_cmdNew;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdDelete;
    QPushButton* m_cmdClose;
};
