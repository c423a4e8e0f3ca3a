#include "dialogs/FileDialogs.h"

#include <QFileDialog>

namespace {

class RealFileDialogs final : public FileDialogs {
public:
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
};

RealFileDialogs& realDialogs() {
    static RealFileDialogs dialogs;
    return dialogs;
}

FileDialogs* installed = nullptr;

} // namespace

FileDialogs& FileDialogs::current() {
    return installed ? *installed : realDialogs();
}

void FileDialogs::install(FileDialogs* dialogs) {
    installed = dialogs;
}
