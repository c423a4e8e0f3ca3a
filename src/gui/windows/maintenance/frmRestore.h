#pragma once

#include "windows/maintenance/MaintenanceDialog.h"

class QLabel;
class QPushButton;

// Restoring a backup: the chosen ".DVB" file must be a valid backup; after the user confirms,
// a MaintenanceJob fills a new database from it, which takes the database's place only once it
// is complete (a failure or a cancel leaves the database as it was). A restore tells every
// open window that the database was replaced, so the tool window on display opens again on the
// restored data. wasCancelled() tells the opener whether anything was restored.
class frmRestore : public MaintenanceDialog {
    Q_OBJECT
public:
    explicit frmRestore(QWidget* parent = nullptr);

    // True unless a restore was made.
    bool wasCancelled() const { return cancelled(); }

    void Form_Load() override;

    void cmdBrowse_Click();
    void cmdRestore_Click();
    void cmdCancel_Click();

protected:
    void setRunning(bool running) override;
    void jobFinished(const MaintenanceJob& job) override;
    QString failureText() const override;

private:
    void setFileName(const QString& name);
    void lblFileName_Change();
    // Empties lblFileName after its name was refused.
    void refuseFileName(const QString& message);

    QLabel* m_lblBackup;
    QLabel* m_hdgFilename;
    QLabel* m_lblFileName;
    QPushButton* m_cmdBrowse;
    QPushButton* m_cmdRestore;
    QPushButton* m_cmdCancel;
    // The connection string of the file in lblFileName.
    QString m_backupConnString;
};
