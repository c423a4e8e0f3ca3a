#pragma once

#include "dialogs/FormDialog.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Defines a new collection (name, comments and up to four fields) or, in edit mode, renames a
// collection and changes its comments; an existing collection's fields are shown but cannot be
// changed, because its items hold values for them. The caller sets the mode ("N" new, anything
// else edit) and, for edit, the collection name, shows the window modally and reads cancelled()
// afterwards. Closing the window in any way but a successful OK counts as Cancel.
class frmCollectionDefine : public FormDialog {
    Q_OBJECT
public:
    static constexpr int FieldRows = 4;

    explicit frmCollectionDefine(QWidget* parent = nullptr);

    QString mode() const { return m_mode; }
    void setMode(const QString& mode) { m_mode = mode; }
    // The collection to edit; the window leaves it as given, also after a rename.
    QString collectionName() const { return m_collectionName; }
    void setCollectionName(const QString& name) { m_collectionName = name; }
    // The name the collection carries after a successful OK.
    QString savedName() const { return m_savedName; }

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    struct FieldRow {
        QLabel* lblFieldID;
        QLineEdit* txtFieldNM;
        QComboBox* cboFieldTypeCD;
        QCheckBox* chkRequiredCD;
        QLineEdit* txtFieldListTX;
    };

    QGroupBox* createFields();
    void Form_Load() override;
    void cboFieldTypeCD_Populate(int row, std::optional<int> typeCode = std::nullopt);
    void cboFieldTypeCD_Click(int row);
    void LoadDefinition();
    bool ValidEntry();
    bool ValidFields();
    bool refuse(const QString& text, QWidget* focus);
    void Save();
    bool isNew() const { return m_mode == QLatin1String("N"); }
    QString collectionText() const;
    QString fieldName(int row) const;

    QString m_mode = QStringLiteral("N");
    QString m_collectionName;
    QString m_savedName;
    // The name as the window found it, which finds the row to change when the name is edited.
    QString m_oldName;

    QLineEdit* m_txtCollectionNM;
    QPlainTextEdit* m_txtCommentsTX;
    QGroupBox* m_fraFields;
    FieldRow m_rows[FieldRows];
};
