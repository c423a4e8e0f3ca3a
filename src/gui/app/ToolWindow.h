#pragma once

#include <QString>
#include <QWidget>

class GridView;
class frmMain;

// A window shown inside the main window, one at a time: the inventory, collections, search,
// reports and graphs windows. A new one is a subclass registered with one line in
// WindowRegistry.cpp; frmMain needs no edit.
//
// The main window creates it when its toolbar button or Tools menu command is used, makes it
// the current window (frmMain::toolWindow(), gCurrentWindow()), puts caption() in its own
// title bar, enables the Sort button when sortMessage() is not empty and calls Form_Load.
// While it is current, the Edit menu's New, Edit and Delete commands call its cmd..._Click
// procedures and the copy commands act on its grid(). Before it is destroyed the main window
// calls Form_Unload, then takes back the caption and switches off again the Edit and copy
// commands and the Move Location command, so a window only switches on what applies to it.
//
// A window reloads itself when DataChanges reports that what it shows has changed; when the
// whole database is replaced the main window opens it afresh.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // `formName` is the window's name ("frmInventory"), also its object name; `subject`
    // follows the application title in the main window's caption ("- Home Inventory").
    ToolWindow(const QString& formName, const QString& subject, QWidget* parent = nullptr);

    QString formName() const { return objectName(); }
    // The main window's caption while this window is on display.
    QString caption() const;

    // Fills the window and enables the main window's commands that apply to it.
    virtual void Form_Load() = 0;
    // Gives back anything else Form_Load took (see above for what the main window restores).
    virtual void Form_Unload() {}
    // Called after the main window has fitted this window into its inner area.
    virtual void Form_Resize() {}

    // The Edit menu's item commands; windows without items leave them doing nothing.
    virtual void cmdNew_Click() {}
    virtual void cmdEdit_Click() {}
    virtual void cmdDelete_Click() {}
    // What the Sort button says while this window is on display; "" disables the button.
    virtual QString sortMessage() const { return {}; }

    // The grid the copy commands act on, or nullptr when the window has none.
    GridView* grid() const { return m_grid; }

protected:
    void setGrid(GridView* grid) { m_grid = grid; }
    // The main window; there is always one while a tool window exists.
    frmMain& mainWindow() const;

private:
    QString m_subject;
    // A child of this window, so it lives as long as the window.
    GridView* m_grid = nullptr;
};
