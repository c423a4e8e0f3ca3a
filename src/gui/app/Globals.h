#pragma once

#include "data/dvData.h"

#include <QString>
#include <memory>

// State the windows share, set up at start-up by the main window.

// The one database context: created at start-up, released at shutdown. Every window reaches the
// record classes through it (gData->Inventory(), gData->Collection()).
extern std::unique_ptr<dvData> gData;

// The form name of the tool window on display ("frmInventory", "frmCollections", "frmSearch",
// "frmReports", "frmGraphs"), or "": a view of frmMain::toolWindow(), which the main window
// sets as it loads a tool window and clears as it unloads it.
QString gCurrentWindow();

// The help file's full name, or "" when it was not found at start-up.
extern QString gHelpFile;

// Puts a message on the main window's status line; does nothing when there is no main window.
void ShowStatus(const QString& text);
