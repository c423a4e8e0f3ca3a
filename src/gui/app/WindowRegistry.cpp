#include "app/WindowRegistry.h"

#include "app/frmMain.h"
#include "windows/collections/frmCollections.h"
#include "windows/inventory/InventoryCommands.h"
#include "windows/inventory/frmInventory.h"

void registerWindows(frmMain& main) {
    // One line per window, as each one arrives, for example:
    //   main.registerToolWindow("Reports", [] { return new frmReports; }, false);
    //   main.registerCommand("mnuFile_Compact", [&main] { frmCompact(&main).exec(); });
    // Start-up opens the "Inventory" tool window first; the compact and backup reminders open
    // the "mnuFile_Compact" and "mnuFile_Backup" commands.
    main.registerToolWindow(QStringLiteral("Inventory"), [] { return new frmInventory; });
    main.registerCommand(QStringLiteral("mnuEdit_ItemTypes"),
                         [&main] { InventoryCommands::updateList(main, QStringLiteral("TYPE")); });
    main.registerCommand(QStringLiteral("mnuEdit_Locations"),
                         [&main] { InventoryCommands::updateList(main, QStringLiteral("LOC")); });
    main.registerCommand(QStringLiteral("mnuEdit_MoveLocation"),
                         [&main] { InventoryCommands::moveLocation(main); });
    main.registerToolWindow(QStringLiteral("Collections"), [] { return new frmCollections; });
}
