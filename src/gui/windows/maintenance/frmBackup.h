#pragma once

#include "windows/maintenance/MaintenanceDialog.h"

class QLabel;
class QPushButton;

// Backing up the database into a file of the user's choice with the extension ".DVB": the file
// is chosen through the save dialog, checked (its folder, its extension, whether it exists and
// may be replaced), then written by a MaintenanceJob. A file that is replaced stays as it was
// until the new backup is complete. The window closes after the backup.
class frmBackup : public MaintenanceDialog {
    Q_OBJECT
public:
    explicit frmBackup(QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdBrowse_Click();
    void cmdBackup_Click();
    void cmdCancel_Click();

protected:
    void setRunning(bool running) override;
    void jobFinished(const MaintenanceJob& job) override;
    QString failureText() const override;

private:
    // Sets lblFileName and runs its change handler.
    void setFileName(const QString& name);
    void lblFileName_Change();

    QLabel* m_lblBackup;
    QLabel* m_hdgFilename;
    QLabel* m_lblFileName;
    QLabel* m_lblLastBackup;
    QPushButton* m_cmdBrowse;
    QPushButton* m_cmdBackup;
    QPushButton* m_cmdCancel;
    // The connection string of the file in lblFileName.
    QString m_backupConnString;
    // The user agreed to replace the existing file of that name.
    bool m_replaceAgreed = false;
};
