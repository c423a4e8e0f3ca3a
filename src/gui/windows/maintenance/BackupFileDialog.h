#pragma once

#include <QString>

class QWidget;

// The file dialogs of the backup and restore windows: they start on "*.DVB" in the user's home
// folder, with the backup files' filter.
namespace BackupFileDialog {

QString chooseToSave(QWidget* parent, const QString& caption);
QString chooseToOpen(QWidget* parent, const QString& caption);

} // namespace BackupFileDialog
