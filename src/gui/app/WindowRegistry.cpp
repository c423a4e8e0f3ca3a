#include "app/WindowRegistry.h"

#include "app/frmMain.h"
#include "windows/collections/frmCollections.h"

void registerWindows(frmMain& main) {
    // One line per window, as each one arrives, for example:
    //   main.registerToolWindow("Inventory", [] { return new frmInventory; });
    //   main.registerToolWindow("Reports", [] { return new frmReports; }, false);
    //   main.registerCommand("mnuFile_Compact", [&main] { frmCompact(&main).exec(); });
    // Start-up opens the "Inventory" tool window first; the compact and backup reminders open
    // the "mnuFile_Compact" and "mnuFile_Backup" commands.
    main.registerToolWindow("Collections", [] { return new frmCollections; });
}
