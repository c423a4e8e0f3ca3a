#pragma once

#include "dialogs/FormDialog.h"
#include "export/ExportFormat.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;
class RowCursor;

// Writes one table of the database (the inventory items, the type or location list, or the
// items of one collection) to a file the user names, as comma-separated values, tab-separated
// values or rowset XML. A long export shows its progress and can be stopped; the file takes
// the chosen name only once it is complete. The dialog closes after a finished export.
class frmExport : public FormDialog {
    Q_OBJECT
public:
    explicit frmExport(QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdBrowse_Click();
    void cmdExport_Click();
    void cmdCancel_Click();

    // How long an export runs before its progress is shown, in milliseconds; tests set 0 so
    // that every export shows it.
    static void setProgressDelayForTesting(int milliseconds);

private:
    void cboExportWhat_Populate();
    void lstExportFormat_Populate();
    // Writes the chosen table; false when the user stopped the export.
    bool ExportTable(ExportFormat format, const QString& fileName);
    bool WriteExportFile(RowCursor& rows, ExportFormat format, const QString& fileName);
    void refuse(const QString& message, QWidget* control);

    QLabel* m_picGraphic1;
    QComboBox* m_cboExportWhat;
    QListWidget* m_lstExportFormat;
    QLabel* m_lblFileName;
    QPushButton* m_cmdBrowse;
    QPushButton* m_cmdExport;
    QPushButton* m_cmdCancel;
};
