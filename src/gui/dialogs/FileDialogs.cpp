#include "dialogs/FileDialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

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

QStringList FileDialogs::getOpenFileNames(QWidget* parent, const QString& caption,
                                          const QString& folder, const QString& filter,
                                          const QString& option, bool* optionChecked) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    QCheckBox* box = nullptr;
    // Qt's own dialog lays itself out on a grid; the question goes on a row below it.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()); grid && !option.isEmpty()) {
        box = new QCheckBox(option, &dialog);
        box->setObjectName(QStringLiteral("chkFileDialogOption"));
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    }
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (optionChecked)
        *optionChecked = chosen && box && box->isChecked();
    return chosen ? dialog.selectedFiles() : QStringList();
}

FileDialogs& FileDialogs::current() {
    return installed ? *installed : realDialogs();
}

void FileDialogs::install(FileDialogs* dialogs) {
    installed = dialogs;
}
