#include "app/BrowserOpen.h"

#include "dialogs/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>

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
    if (openUrl(QUrl::fromLocalFile(path)))
        return true;
    MsgBox(parent,
           QStringLiteral(
               "There has been an error trying to open your web browser to view the report."),
           QMessageBox::Ok, QMessageBox::Warning, QStringLiteral("Report Generation"));
    // The desktop gives no reason of its own; the second message says which page it refused,
    // so the user can open it by hand.
    MsgBox(parent, QStringLiteral("The desktop could not open the page %1 in a web browser.")
                       .arg(QDir::toNativeSeparators(path)));
    return false;
}

void setOpenerForTesting(std::function<bool(const QUrl&)> opener) {
    testOpener() = std::move(opener);
}
