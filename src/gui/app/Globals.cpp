#include "app/Globals.h"

#include "app/ToolWindow.h"
#include "app/frmMain.h"

std::unique_ptr<dvData> gData;
QString gHelpFile;

void ShowStatus(const QString& text) {
    if (frmMain* main = frmMain::instance())
        main->ShowStatus(text);
}

QString gCurrentWindow() {
    const frmMain* main = frmMain::instance();
    const ToolWindow* window = main ? main->toolWindow() : nullptr;
    return window ? window->formName() : QString();
}
