#include "app/BrowserOpen.h"

#include "data/DbError.h"
#include "dialogs/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace {

std::function<bool(const QUrl&)>& testOpener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

bool openUrl(const QUrl& url) {
    if (testOpener())
        return testOpener()(url);
    return QDesktopServices::openUrl(url);
}

} // namespace

bool openInBrowser(QWidget* parent, const QString& path) {
    if (openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
        return true;
    MsgBox(parent,
           QStringLiteral(
               "There has been an error trying to open your web browser to view the report."),
           QMessageBox::Ok, QMessageBox::Warning, QStringLiteral("Report Generation"));
    // The desktop gives no error code of its own; 1 stands for "could not be opened", as the
    // command-line tool's exit code does.
    MsgBox(parent, QStringLiteral("1 - The desktop could not start a program to open %1")
                       .arg(QDir::toNativeSeparators(path)));
    return false;
}

void setOpenerForTesting(std::function<bool(const QUrl&)> opener) {
    testOpener() = std::move(opener);
}

QString writePage(QWidget* parent, const std::function<QString()>& write) {
    try {
        return write();
    } catch (const DbError&) {
        throw;
    } catch (const std::runtime_error& failure) {
        MsgBox(parent, QString::fromStdString(failure.what()), QMessageBox::Ok,
               QMessageBox::Critical, QStringLiteral("Report Generation"));
        return QString();
    }
}
