#pragma once

#include "windows/maintenance/MaintenanceDialog.h"

class QLabel;
class QPushButton;

// Compacting the database: every row copied into a new file, which then takes the database's
// place (see MaintenanceJob). The window shows the size before, and after the compact the size
// after; it then stays open, with the compress button off and Cancel become OK, until the user
// closes it. A compact tells every open window that the database was replaced.
class frmCompact : public MaintenanceDialog {
    Q_OBJECT
public:
    explicit frmCompact(QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdCompact_Click();
    void cmdCancel_Click();

protected:
    void setRunning(bool running) override;
    void jobFinished(const MaintenanceJob& job) override;
    QString failureText() const override;

private:
    QLabel* m_lblCompact1;
    QLabel* m_lblCompact2;
    QLabel* m_lblLastCompact;
    QLabel* m_lblBefore;
    QLabel* m_lblAfter;
    QPushButton* m_cmdCompact;
    QPushButton* m_cmdCancel;
    bool m_done = false;
};
