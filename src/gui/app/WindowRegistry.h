#pragma once

class frmMain;

// Plugs the tool windows and the menu-opened windows into the main window; called once by the
// main window as it is built.
void registerWindows(frmMain& main);
