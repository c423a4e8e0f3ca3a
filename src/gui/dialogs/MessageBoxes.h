#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box of the application goes through this seam. Production code gets the real
// QMessageBox; a test installs its own implementation that answers from a script, so a box is
// never left waiting for a person.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows a box and returns the button chosen. The first button of `buttons` (in the order
    // Yes, No, OK, Cancel) is the default.
    virtual QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon,
                                             const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons) = 0;

    // The implementation in use.
    static MessageBoxes& current();
    // Puts an implementation in place; nullptr brings back the real boxes. The caller keeps
    // ownership and must uninstall it before it is destroyed.
    static void install(MessageBoxes* boxes);
};

// The way windows ask: text, buttons, icon and caption as in the window's own words.
QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                   QMessageBox::Icon icon = QMessageBox::NoIcon,
                                   const QString& title = QString());
