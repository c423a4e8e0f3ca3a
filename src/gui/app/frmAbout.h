#pragma once

#include <QDialog>

// The About box: title, version, legal notice, and the system information a person reporting a
// problem is asked for.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The system, Qt and SQLite versions and where the program keeps its files, one per line.
    static QString systemInfoText();
    // Opens the system information window (owned by this box, closed with it).
    void cmdSysInfo_Click();
};
