#pragma once

#include <QLatin1String>

// The names of the main window's commands: its menu items (by object name) and its toolbar
// buttons (by key). Code that enables, shows, registers or runs a command names it through
// these constants, never with a literal, so that a misspelt name does not compile; a name the
// main window does not know stops a debug build at once (see frmMain::menuItem).

namespace MenuItem {

inline constexpr QLatin1String Test{"XXXXXXXX"};
inline constexpr QLatin1String FileExport{"mnuFile_Export"};
inline constexpr QLatin1String FileBackupRestore{"mnuFile_BackupRestore"};
inline constexpr QLatin1String FileBackup{"mnuFile_Backup"};
inline constexpr QLatin1String FileRestore{"mnuFile_Restore"};
inline constexpr QLatin1String FileCompact{"mnuFile_Compact"};
inline constexpr QLatin1String FileExit{"mnuFile_Exit"};

inline constexpr QLatin1String EditNew{"mnuEdit_New"};
inline constexpr QLatin1String EditEdit{"mnuEdit_Edit"};
inline constexpr QLatin1String EditDelete{"mnuEdit_Delete"};
inline constexpr QLatin1String EditCopy{"mnuEdit_Copy"};
inline constexpr QLatin1String EditCopyGrid{"mnuEdit_CopyGrid"};
inline constexpr QLatin1String EditMoveLocation{"mnuEdit_MoveLocation"};
inline constexpr QLatin1String EditIncident{"mnuEdit_Incident"};
inline constexpr QLatin1String EditItemTypes{"mnuEdit_ItemTypes"};
inline constexpr QLatin1String EditLocations{"mnuEdit_Locations"};

inline constexpr QLatin1String ToolsInventory{"mnuTools_Inventory"};
inline constexpr QLatin1String ToolsCollections{"mnuTools_Collections"};
inline constexpr QLatin1String ToolsSearch{"mnuTools_Search"};
inline constexpr QLatin1String ToolsReports{"mnuTools_Reports"};
inline constexpr QLatin1String ToolsGraphs{"mnuTools_Graphs"};
inline constexpr QLatin1String ToolsWarranties{"mnuTools_Warranties"};
inline constexpr QLatin1String ToolsIncidents{"mnuTools_Incidents"};
inline constexpr QLatin1String ToolsCoverage{"mnuTools_Coverage"};
inline constexpr QLatin1String ToolsOptions{"mnuTools_Options"};

inline constexpr QLatin1String HelpContents{"mnuHelp_Contents"};
inline constexpr QLatin1String HelpIndex{"mnuHelp_Index"};
inline constexpr QLatin1String HelpSearch{"mnuHelp_Search"};
inline constexpr QLatin1String HelpWebSite{"mnuHelp_QeltoWebSite"};
inline constexpr QLatin1String HelpAbout{"mnuHelp_About"};

// Every name above; a new menu item joins this list too.
inline constexpr QLatin1String All[] = {
    Test,          FileExport,      FileBackupRestore, FileBackup,    FileRestore,
    FileCompact,   FileExit,        EditNew,           EditEdit,      EditDelete,
    EditCopy,      EditCopyGrid,    EditMoveLocation,  EditIncident,  EditItemTypes,
    EditLocations, ToolsInventory,  ToolsCollections,  ToolsSearch,   ToolsReports,
    ToolsGraphs,   ToolsWarranties, ToolsIncidents,    ToolsCoverage, ToolsOptions,
    HelpContents,  HelpIndex,       HelpSearch,        HelpWebSite,   HelpAbout};

} // namespace MenuItem

namespace ToolbarButton {

// The tool windows, each also reached through the Tools menu item "mnuTools_" + key.
inline constexpr QLatin1String Inventory{"Inventory"};
inline constexpr QLatin1String Collections{"Collections"};
inline constexpr QLatin1String Search{"Search"};
inline constexpr QLatin1String Reports{"Reports"};
inline constexpr QLatin1String Graphs{"Graphs"};
// Commands on the tool window on display.
inline constexpr QLatin1String CopyItem{"CopyItem"};
inline constexpr QLatin1String CopyGrid{"CopyGrid"};
inline constexpr QLatin1String Sort{"Sort"};
inline constexpr QLatin1String MoveLocation{"MoveLocation"};

// Every key above; a new button joins this list too.
inline constexpr QLatin1String All[] = {Inventory, Collections, Search, Reports,     Graphs,
                                        CopyItem,  CopyGrid,    Sort,   MoveLocation};
// The keys that open a tool window.
inline constexpr QLatin1String ToolWindows[] = {Inventory, Collections, Search, Reports, Graphs};

} // namespace ToolbarButton
