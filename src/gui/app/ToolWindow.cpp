#include "app/ToolWindow.h"

#include "app/General.h"
#include "app/frmMain.h"

ToolWindow::ToolWindow(const QString& formName, const QString& subject, QWidget* parent)
    : QWidget(parent)
    , m_subject(subject) {
    setObjectName(formName);
}

QString ToolWindow::caption() const {
    return General::GetAppTitle() + m_subject;
}

frmMain& ToolWindow::mainWindow() const {
    return *frmMain::instance();
}
