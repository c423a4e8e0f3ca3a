#pragma once

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class HelpWindow;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolBar;
class ToolWindow;
class frmSplash;

// The main window: a frame holding exactly one tool window at a time, with the menus, the
// toolbar tlbMain, the status bar stbMain and the timer timMain. MDIForm_Load runs the whole
// start-up; closing the window (or File > Exit) releases the database context and ends the
// program without a question.
//
// Windows plug in without edits here, each with one line in registerWindows()
// (WindowRegistry.cpp):
//   - a tool window (a ToolWindow) registers a factory under its toolbar key ("Inventory",
//     "Collections", "Search", "Reports", "Graphs") with registerToolWindow; that enables its
//     toolbar button and Tools menu command, and start-up opens the "Inventory" one first. The
//     main window makes it the current window, sets the caption, forwards the Edit, copy and
//     Sort commands to it and takes back on unloading what it switched on (see ToolWindow);
//   - a modal window opened from a menu (export, backup, restore, compact, the list
//     maintenance, moving items) registers its command with registerCommand.
// Commands are named through the constants of CommandNames.h.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const QString& dataFolder, QWidget* parent = nullptr);
    ~frmMain() override;

    // The one main window, or nullptr when there is none.
    static frmMain* instance();

    // Runs the start-up. Returns nothing when the program is running with this window shown;
    // otherwise the exit code the program ends with (the user chose not to rebuild an invalid
    // database, or the database could not be opened or rebuilt).
    std::optional<int> MDIForm_Load();

    // The status line (panel 1).
    void ShowStatus(const QString& text);
    QString statusText() const;
    // One tick of timMain: clears a status message that is more than five whole seconds old and
    // brings the key and date panels up to date.
    void timMain_Timer();

    // Tool windows.
    void registerToolWindow(const QString& key, std::function<ToolWindow*()> create);
    bool hasToolWindow(const QString& key) const;
    // What a toolbar button (or the Tools menu command of the same key) does.
    void tlbMain_ButtonClick(const QString& key);
    // Unloads the tool window on display, if any.
    void CloseToolWindows();
    // Closes the tool window on display and opens it again, on the data as it now is; what the
    // main window does when the whole database was replaced.
    void reopenToolWindow();
    // The tool window on display (the current window), or nullptr.
    ToolWindow* toolWindow() const;
    // The tool window on display if its form name is `formName`, or nullptr.
    ToolWindow* toolWindow(const QString& formName) const;

    // Menu commands that open a window of their own. Registering enables the menu item
    // (except the Edit item commands, whose state the tool windows keep).
    void registerCommand(const QString& menuItem, std::function<void()> handler);
    bool hasCommand(const QString& menuItem) const;
    // Runs a menu item's command, as choosing it does (whether it is enabled or not).
    void runMenuCommand(const QString& menuItem);

    // Menu items by object name ("mnuEdit_New") and toolbar buttons by key ("CopyItem"), named
    // through CommandNames.h. An unknown name is a programming error: it stops a debug build;
    // elsewhere it is logged and gives nullptr, which the setters below pass over.
    QAction* menuItem(const QString& name) const;
    QAction* toolbarButton(const QString& key) const;
    void setMenuItemEnabled(const QString& name, bool enabled);
    void setMenuItemVisible(const QString& name, bool visible);
    void setToolbarButtonEnabled(const QString& key, bool enabled);

    frmSplash* splash() const { return m_splash; }
    HelpWindow* helpWindow() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }
    QString dataFolder() const { return m_dataFolder; }

    // Whether the start-up keeps the splash up for its three seconds (the default); without
    // the wait the main window shows as soon as the database is open (domivo --no-splash-wait).
    static void setSplashWait(bool wait);
    // The wait at start-up with the splash shown (three seconds); tests shorten it.
    static void setStartupWaitForTesting(int milliseconds);

signals:
    // The window was closed: the program ends.
    void ended();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void LoadToolbarImages();
    void MDIForm_Resize();
    void MDIForm_Unload();
    void sizeStatusPanels();
    void updateKeyPanels();
    void fitToolWindow();
    void showToolWindow(const QString& key, ToolWindow* window);
    // Gives the commands a tool window may have switched, and the caption, their state
    // without a tool window.
    void resetToolWindowCommands();

    // Start-up steps that ask the user.
    bool rebuildDatabase(int& exitCode);
    void remind(const char* what);
    // The warranties that run out soon, listed once a day.
    void remindWarranties();

    void menuCommand(const QString& name);
    void forwardItemCommand(const QString& name);
    void copyCommand(bool wholeGrid);
    void sortCommand();
    void showHelp(int tab);
    void openWebSite();
    void showOptions();
    void showAbout();

    QString m_dataFolder;
    frmSplash* m_splash = nullptr;
    QPointer<HelpWindow> m_help;
    QMdiArea* m_mdiArea = nullptr;
    QPointer<QMdiSubWindow> m_subWindow;
    QPointer<ToolWindow> m_toolWindow;
    // The toolbar key m_toolWindow was opened with.
    QString m_toolWindowKey;
    QToolBar* m_toolbar = nullptr;
    QTimer* m_timer = nullptr;
    QLabel* m_panels[6] = {};
    QDateTime m_statusTime;
    bool m_insertMode = true;
    bool m_ended = false;

    QHash<QString, std::function<ToolWindow*()>> m_toolWindows;
    QHash<QString, std::function<void()>> m_commands;
    QHash<QString, QAction*> m_menuItems;
    QHash<QString, QAction*> m_buttons;
};
