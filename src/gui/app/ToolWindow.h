#pragma once

#include <QString>
#include <QWidget>

class GridView;
class frmMain;

// A window shown inside the main window, one at a time: the inventory, collections, search,
// reports and graphs windows. The main window creates it when its toolbar button or Tools menu
// command is used (see frmMain::registerToolWindow), calls Form_Load once it is in place, and
// Form_Unload before it is destroyed. While it is the current tool window (its form name is in
// gCurrentWindow), the Edit menu's New, Edit and Delete commands call its cmd..._Click
// procedures and the copy commands act on its grid.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // `formName` is the window's name ("frmInventory"), also its object name.
    explicit ToolWindow(const QString& formName, QWidget* parent = nullptr);

    QString formName() const { return objectName(); }

    // Sets gCurrentWindow and the main window's caption, and enables the main window's commands
    // that apply to this window.
    virtual void Form_Load() = 0;
    // Gives back what Form_Load took: the caption, the commands, gCurrentWindow where the window
    // clears it.
    virtual void Form_Unload() {}
    // Called after the main window has fitted this window into its inner area.
    virtual void Form_Resize() {}

    // The Edit menu's item commands; windows without items leave them doing nothing.
    virtual void cmdNew_Click() {}
    virtual void cmdEdit_Click() {}
    virtual void cmdDelete_Click() {}
    // The grid the copy commands act on, or nullptr when the window has none.
    virtual GridView* grid() { return nullptr; }

protected:
    // The main window; there is always one while a tool window exists.
    frmMain& mainWindow() const;
};
