#include "windows/maintenance/frmCompact.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "data/DataChanges.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"
#include "widgets/NamedWidgets.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmCompact::frmCompact(QWidget* parent)
    : MaintenanceDialog(QStringLiteral("frmCompact"), parent) {
    setWindowTitle(QStringLiteral("Compact Database"));

    m_lblCompact1 = NamedWidgets::label(
        "lblCompact1",
        QStringLiteral("With normal use (adding, updating, and deleting data), the Domivo "
                       "database may become larger than the actual data it contains."),
        this);
    m_lblCompact2 = NamedWidgets::label(
        "lblCompact2",
        QStringLiteral("It is advisable to periodically compress the database to free up the "
                       "unused space."),
        this);
    m_lblLastCompact = NamedWidgets::label("lblLastCompact", QString(), this);
    m_lblBefore = NamedWidgets::label("lblBefore", QString(), this);
    m_lblAfter = NamedWidgets::label("lblAfter", QString(), this);
    QSizePolicy policy = m_lblAfter->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_lblAfter->setSizePolicy(policy);
    m_lblAfter->setMinimumHeight(m_lblAfter->fontMetrics().height());
    m_lblAfter->hide();
    for (QLabel* text : {m_lblCompact1, m_lblCompact2})
        text->setWordWrap(true);

    m_cmdCompact = NamedWidgets::button("cmdCompact", QStringLiteral("C&ompress"), this);
    m_cmdCompact->setDefault(true);
    m_cmdCancel = NamedWidgets::button("cmdCancel", QStringLiteral("&Cancel"), this);
    m_cmdCancel->setAutoDefault(false);
    connect(m_cmdCompact, &QPushButton::clicked, this, &frmCompact::cmdCompact_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmCompact::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblCompact1);
    layout->addWidget(m_lblCompact2);
    layout->addSpacing(8);
    layout->addWidget(m_lblLastCompact);
    layout->addWidget(m_lblBefore);
    layout->addWidget(m_lblAfter);
    layout->addWidget(progressBar());
    layout->addStretch();
    layout->addLayout(NamedWidgets::buttonRow({m_cmdCompact, m_cmdCancel}));
    setMinimumWidth(440);
}

void frmCompact::Form_Load() {
    m_lblBefore->setText(
        MaintenanceText::sizeBeforeCompact(QFileInfo(gData->PhysicalPath()).size()));
    m_lblBefore->show();
    showLastDate(m_lblLastCompact, QStringLiteral("Last compacted on "),
                 Settings::text(SettingKeys::LastCompact));
}

void frmCompact::cmdCompact_Click() {
    if (m_done || isRunning())
        return;
    startJob(MaintenanceJob::compact(gData->PhysicalPath()));
}

void frmCompact::cmdCancel_Click() {
    reject();
}

void frmCompact::setRunning(bool running) {
    m_cmdCompact->setEnabled(!running && !m_done);
}

void frmCompact::jobFinished(const MaintenanceJob& job) {
    m_done = true;
    m_lblAfter->setText(MaintenanceText::sizeAfterCompact(job.sizeAfter()));
    m_lblAfter->show();
    m_cmdCompact->setEnabled(false);
    m_cmdCancel->setText(QStringLiteral("&OK"));
    m_cmdCancel->setDefault(true);
    emit DataChanges::instance().databaseReplaced();
}

QString frmCompact::failureText() const {
    return QStringLiteral("The database could not be compacted");
}
