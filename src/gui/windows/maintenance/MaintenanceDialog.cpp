#include "windows/maintenance/MaintenanceDialog.h"

#include "data/DbError.h"
#include "dialogs/MessageBoxes.h"
#include "maintenance/MaintenanceJob.h"
#include "types/DateText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

MaintenanceDialog::MaintenanceDialog(const QString& formName, QWidget* parent)
    : FormDialog(formName, parent) {
    m_prgProgress = new QProgressBar(this);
    m_prgProgress->setObjectName(QStringLiteral("prgProgress"));
    m_prgProgress->setRange(0, 100);
    // Its room is kept while it is hidden, so that the window need not grow when it appears.
    QSizePolicy policy = m_prgProgress->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_prgProgress->setSizePolicy(policy);
    m_prgProgress->hide();
    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &MaintenanceDialog::nextStep);
}

MaintenanceDialog::~MaintenanceDialog() {
    // A window destroyed with a job under way abandons it like Cancel.
    if (isRunning()) {
        m_job.reset();
        QGuiApplication::restoreOverrideCursor();
    }
}

bool MaintenanceDialog::isRunning() const {
    return m_job != nullptr;
}

void MaintenanceDialog::reject() {
    if (isRunning()) {
        stopJob();
        m_prgProgress->hide();
    }
    FormDialog::reject();
}

void MaintenanceDialog::startJob(std::unique_ptr<MaintenanceJob> job) {
    m_job = std::move(job);
    m_prgProgress->setValue(0);
    m_prgProgress->show();
    // The busy pointer keeps its arrow: the window still takes a click on Cancel.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    setRunning(true);
    m_timer->start();
}

void MaintenanceDialog::stopJob() {
    m_timer->stop();
    // Destroying an unfinished job removes its partial file.
    m_job.reset();
    QGuiApplication::restoreOverrideCursor();
    setRunning(false);
}

void MaintenanceDialog::nextStep() {
    if (!m_job)
        return;
    bool done = false;
    try {
        done = m_job->step();
    } catch (const DbError& error) {
        stopJob();
        m_prgProgress->hide();
        MsgBox(this,
               failureText() + QStringLiteral(":\n") + error.message() +
                   QStringLiteral("\n\nNothing was changed."),
               QMessageBox::Ok, QMessageBox::Critical, windowTitle());
        return;
    }
    if (!done) {
        // Last: whoever watches the bar may cancel the job from here.
        m_prgProgress->setValue(m_job->percent());
        return;
    }
    m_timer->stop();
    const std::unique_ptr<MaintenanceJob> job = std::move(m_job);
    QGuiApplication::restoreOverrideCursor();
    m_prgProgress->setValue(100);
    // The buttons stay off while the window tells the user, until it closes.
    jobFinished(*job);
    setRunning(false);
}

void MaintenanceDialog::showLastDate(QLabel* label, const QString& prefix,
                                     const QString& storedDate) {
    if (storedDate.isEmpty())
        return;
    // Dates are kept in a form no change of locale can misread, and shown in the user's own.
    const QDate date = DateText::parseDate(storedDate);
    label->setText(prefix + (date.isValid() ? DateText::shortDate(date) : storedDate));
}
