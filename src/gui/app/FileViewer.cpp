#include "app/FileViewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace FileViewer {

namespace {

std::function<bool(const QString&)>& testOpener() {
    static std::function<bool(const QString&)> opener;
    return opener;
}

} // namespace

bool open(const QString& path) {
    if (testOpener())
        return testOpener()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setOpenerForTesting(std::function<bool(const QString&)> opener) {
    testOpener() = std::move(opener);
}

} // namespace FileViewer
