#pragma once

#include <QString>

class frmMain;
class frmInventory;

// The main window's commands that open the inventory dialogs, and what each brings up to date
// in the inventory window afterwards.
class InventoryCommands {
public:
    // Edit > Item Types... ("TYPE") and Edit > Locations... ("LOC").
    static void updateList(frmMain& main, const QString& editType);
    // Edit > Move Location... and the toolbar button "MoveLocation".
    static void moveLocation(frmMain& main);

private:
    // The inventory window when it is the one on display, else nullptr.
    static frmInventory* inventoryWindow(const frmMain& main);
};
