#include "windows/maintenance/BackupFileDialog.h"

#include "app/General.h"
#include "dialogs/FileDialogs.h"
#include "maintenance/MaintenanceText.h"

#include <QDir>

namespace {

QString startName() {
    return QDir(QDir::homePath())
        .filePath(QStringLiteral("*") + QLatin1String(MaintenanceText::BackupExtension));
}

QString filter() {
    const QString pattern = QStringLiteral("*") + QLatin1String(MaintenanceText::BackupExtension);
    return General::GetAppTitle() + QStringLiteral(" Backup File (") + pattern +
           QStringLiteral(")");
}

} // namespace

namespace BackupFileDialog {

QString chooseToSave(QWidget* parent, const QString& caption) {
    return FileDialogs::current().getSaveFileName(parent, caption, startName(), filter());
}

QString chooseToOpen(QWidget* parent, const QString& caption) {
    return FileDialogs::current().getOpenFileName(parent, caption, startName(), filter());
}

} // namespace BackupFileDialog
