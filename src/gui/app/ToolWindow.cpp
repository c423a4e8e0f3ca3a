#include "app/ToolWindow.h"

#include "app/frmMain.h"

ToolWindow::ToolWindow(const QString& formName, QWidget* parent)
    : QWidget(parent) {
    setObjectName(formName);
}

frmMain& ToolWindow::mainWindow() const {
    return *frmMain::instance();
}
