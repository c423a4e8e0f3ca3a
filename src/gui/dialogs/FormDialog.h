#pragma once

#include <QDialog>

// A modal window of the application. It carries its form name as object name, takes the main
// window's icon, loads itself (Form_Load) once, just before it is first shown, and tells its
// opener afterwards whether the user cancelled: Cancel, Escape and the title bar's close box all
// count as cancelling, and only a save clears the flag.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(const QString& formName, QWidget* parent);

    // True until a save, and again after any later way of closing but a save.
    bool cancelled() const { return m_cancelled; }

    // Fills the window from the properties its opener set; runs once.
    virtual void Form_Load() = 0;

    // Loads the window before its event loop starts, so that an engine error while loading
    // reaches the opener's command.
    int exec() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // A save happened; the window may stay open for the next entry.
    void markSaved() { m_cancelled = false; }
    // A save happened and closes the window.
    void closeSaved();

private:
    void loadOnce();

    bool m_cancelled = true;
    bool m_loaded = false;
};
