#include "app/Globals.h"

#include "app/frmMain.h"

std::unique_ptr<dvData> gData;
QString gCurrentWindow;
QString gHelpFile;

void ShowStatus(const QString& text) {
    if (frmMain* main = frmMain::instance())
        main->ShowStatus(text);
}
