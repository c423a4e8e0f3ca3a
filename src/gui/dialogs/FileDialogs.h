#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every open and save file dialog of the application goes through this seam (see
// MessageBoxes). The real dialogs are Qt's own, not the desktop's, so that they look and behave
// the same everywhere.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The chosen file's full name, or "" when the user cancels. `filter` is in QFileDialog's
    // form ("Backup files (*.DVB);;All files (*)").
    virtual QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
    // For a save dialog the folder may name a proposed file; an existing file is confirmed by
    // the dialog itself before it is returned.
    virtual QString getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;

    // Several files at once ({} when the user cancels). When `option` is given, the dialog
    // shows it as a check box, initially clear, and *optionChecked tells whether it was ticked.
    virtual QStringList getOpenFileNames(QWidget* parent, const QString& caption,
                                         const QString& folder, const QString& filter,
                                         const QString& option = {}, bool* optionChecked = nullptr);

    static FileDialogs& current();
    // nullptr brings back the real dialogs.
    static void install(FileDialogs* dialogs);
};
