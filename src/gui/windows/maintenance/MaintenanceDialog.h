#pragma once

#include "dialogs/FormDialog.h"

#include <memory>

class MaintenanceJob;
class QLabel;
class QProgressBar;
class QTimer;

// The base of the backup, restore and compact windows: it runs their MaintenanceJob in steps
// from the event loop, one step per turn, so that the progress bar moves and the window stays
// responsive however large the database is. Everything stays on the one thread the data layer
// is built for. Cancel, Escape or the close box abandon a running job between two steps, which
// leaves every file as it was. A job that fails is reported with the cause, and the window
// stays open for another try.
class MaintenanceDialog : public FormDialog {
    Q_OBJECT
public:
    ~MaintenanceDialog() override;

    bool isRunning() const;
    void reject() override;

protected:
    MaintenanceDialog(const QString& formName, QWidget* parent);

    QProgressBar* progressBar() const { return m_prgProgress; }
    // Starts the job; setRunning(true) now, setRunning(false) when it ends, however it ends
    // (after jobFinished when it is done).
    void startJob(std::unique_ptr<MaintenanceJob> job);

    // The window switches its buttons for a job under way.
    virtual void setRunning(bool running) = 0;
    // The job is done: the window tells the user and says what changed.
    virtual void jobFinished(const MaintenanceJob& job) = 0;
    // The first line of the message when the job failed ("The backup could not be made").
    virtual QString failureText() const = 0;

    // "Last backup on " and the like, with the date the settings hold shown as a short date.
    static void showLastDate(QLabel* label, const QString& prefix, const QString& storedDate);

private:
    void nextStep();
    void stopJob();

    QProgressBar* m_prgProgress;
    QTimer* m_timer;
    std::unique_ptr<MaintenanceJob> m_job;
};
