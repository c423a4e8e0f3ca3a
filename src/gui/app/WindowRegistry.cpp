#include "app/WindowRegistry.h"

#include "app/CommandNames.h"
#include "app/frmMain.h"
#include "windows/collections/frmCollections.h"
#include "windows/export/frmExport.h"
#include "windows/graphs/frmGraphs.h"
#include "windows/insurance/frmCoverage.h"
#include "windows/insurance/frmIncidentMark.h"
#include "windows/insurance/frmIncidents.h"
#include "windows/insurance/frmWarranties.h"
#include "windows/inventory/frmInventory.h"
#include "windows/inventory/frmListUpdate.h"
#include "windows/inventory/frmMoveLocation.h"
#include "windows/maintenance/frmBackup.h"
#include "windows/maintenance/frmCompact.h"
#include "windows/maintenance/frmRestore.h"
#include "windows/reports/frmReports.h"
#include "windows/search/frmSearch.h"

namespace {

// The command of a modal window opened from a menu: the window is made over the main window,
// given its properties by `prepare`, shown, and gone when it closes. Whatever it changes, it
// announces through DataChanges itself.
template <class Dialog>
std::function<void()> modal(frmMain& main, std::function<void(Dialog&)> prepare = {}) {
    return [&main, prepare] {
        Dialog dialog(&main);
        if (prepare)
            prepare(dialog);
        dialog.exec();
    };
}

} // namespace

void registerWindows(frmMain& main) {
    // One line per window. Tool windows under their toolbar key, for example
    //   main.registerToolWindow(ToolbarButton::Reports, [] { return new frmReports; });
    // and modal windows under their menu item, for example
    //   main.registerCommand(MenuItem::FileCompact, modal<frmCompact>(main));
    // Start-up opens the "Inventory" tool window first; the compact and backup reminders run
    // the MenuItem::FileCompact and MenuItem::FileBackup commands, the warranty reminder the
    // MenuItem::ToolsWarranties command.
    main.registerToolWindow(ToolbarButton::Inventory, [] { return new frmInventory; });
    main.registerToolWindow(ToolbarButton::Collections, [] { return new frmCollections; });
    main.registerToolWindow(ToolbarButton::Search, [] { return new frmSearch; });
    main.registerToolWindow(ToolbarButton::Graphs, [] { return new frmGraphs; });
    main.registerCommand(MenuItem::EditItemTypes,
                         modal<frmListUpdate>(main, [](frmListUpdate& dialog) {
                             dialog.setEditType(QStringLiteral("TYPE"));
                         }));
    main.registerCommand(MenuItem::EditLocations,
                         modal<frmListUpdate>(main, [](frmListUpdate& dialog) {
                             dialog.setEditType(QStringLiteral("LOC"));
                         }));
    main.registerCommand(MenuItem::EditMoveLocation, modal<frmMoveLocation>(main));
    main.registerToolWindow(ToolbarButton::Reports, [] { return new frmReports; });
    main.registerCommand(MenuItem::FileExport, modal<frmExport>(main));
    main.registerCommand(MenuItem::FileBackup, modal<frmBackup>(main));
    main.registerCommand(MenuItem::FileRestore, modal<frmRestore>(main));
    main.registerCommand(MenuItem::FileCompact, modal<frmCompact>(main));
    main.registerCommand(MenuItem::ToolsWarranties, modal<frmWarranties>(main));
    main.registerCommand(MenuItem::ToolsIncidents, modal<frmIncidents>(main));
    main.registerCommand(MenuItem::ToolsCoverage, modal<frmCoverage>(main));
    main.registerCommand(MenuItem::EditIncident,
                         modal<frmIncidentMark>(main, [&main](frmIncidentMark& dialog) {
                             dialog.setItemIDs(frmIncidentMark::selectedInventoryItems(main));
                         }));
}
