#include "windows/inventory/InventoryCommands.h"

#include "app/Globals.h"
#include "app/frmMain.h"
#include "windows/inventory/frmInventory.h"
#include "windows/inventory/frmListUpdate.h"
#include "windows/inventory/frmMoveLocation.h"

frmInventory* InventoryCommands::inventoryWindow(const frmMain& main) {
    const QString name = QStringLiteral("frmInventory");
    if (gCurrentWindow != name)
        return nullptr;
    return qobject_cast<frmInventory*>(main.toolWindow(name));
}

void InventoryCommands::updateList(frmMain& main, const QString& editType) {
    frmListUpdate dialog(&main);
    dialog.setEditType(editType);
    dialog.exec();

    frmInventory* inventory = inventoryWindow(main);
    if (!inventory)
        return;
    const QString view = editType == QLatin1String("TYPE") ? QStringLiteral("Item Type")
                                                           : QStringLiteral("Location");
    if (inventory->viewByText() == view)
        inventory->lstViewValues_Populate();
    else
        // Every row shows its type and location, so a renamed entry must show there too.
        inventory->lvwItems_Populate();
}

void InventoryCommands::moveLocation(frmMain& main) {
    frmMoveLocation dialog(&main);
    dialog.exec();
    if (dialog.wasCancelled())
        return;
    if (frmInventory* inventory = inventoryWindow(main)) {
        inventory->lstViewValues_Populate();
        inventory->lvwItems_Populate();
    }
}
