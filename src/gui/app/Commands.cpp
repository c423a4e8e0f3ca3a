#include "app/Commands.h"

#include "app/General.h"
#include "data/DbError.h"
#include "dialogs/MessageBoxes.h"

#include <QWidget>

bool RunCommand(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const DbError& error) {
        QString title = parent ? parent->window()->windowTitle() : QString();
        if (title.isEmpty())
            title = General::GetAppTitle();
        MsgBox(parent, error.message(), QMessageBox::Ok, QMessageBox::Critical, title);
        return false;
    }
}
