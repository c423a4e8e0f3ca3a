#include "windows/maintenance/frmRestore.h"

#include "app/General.h"
#include "app/Globals.h"
#include "data/ConnectionString.h"
#include "data/DataChanges.h"
#include "dialogs/MessageBoxes.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"
#include "widgets/NamedWidgets.h"
#include "windows/maintenance/BackupFileDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmRestore::frmRestore(QWidget* parent)
    : MaintenanceDialog(QStringLiteral("frmRestore"), parent) {
    setWindowTitle(QStringLiteral("Restore Domivo Database"));

    m_lblBackup = NamedWidgets::label(
        "lblBackup",
        QStringLiteral("This function allows you to restore a Domivo database backup file.   In "
                       "the event that the active database becomes corrupt, this function will "
                       "replace the bad data with the data found in the backup file."),
        this);
    m_lblBackup->setWordWrap(true);
    m_hdgFilename = NamedWidgets::label("hdgFilename",
                                        QStringLiteral("Select the backup file to restore"), this);
    m_lblFileName = NamedWidgets::label("lblFileName", QString(), this);
    m_lblFileName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblFileName->setMinimumWidth(360);

    m_cmdRestore = NamedWidgets::button("cmdRestore", QStringLiteral("&Restore"), this);
    m_cmdRestore->setDefault(true);
    m_cmdRestore->setEnabled(false);
    m_cmdCancel = NamedWidgets::button("cmdCancel", QStringLiteral("&Cancel"), this);
    m_cmdCancel->setAutoDefault(false);
    m_cmdBrowse = NamedWidgets::button("cmdBrowse", QStringLiteral("&Browse..."), this);
    m_cmdBrowse->setAutoDefault(false);
    connect(m_cmdBrowse, &QPushButton::clicked, this, &frmRestore::cmdBrowse_Click);
    connect(m_cmdRestore, &QPushButton::clicked, this, &frmRestore::cmdRestore_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmRestore::cmdCancel_Click);

    auto* file = new QGridLayout;
    file->addWidget(m_hdgFilename, 0, 0, 1, 2);
    file->addWidget(m_lblFileName, 1, 0);
    file->addWidget(m_cmdBrowse, 1, 1);
    file->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblBackup);
    layout->addSpacing(8);
    layout->addLayout(file);
    layout->addWidget(progressBar());
    layout->addStretch();
    layout->addLayout(NamedWidgets::buttonRow({m_cmdRestore, m_cmdCancel}));
    setMinimumWidth(480);
}

void frmRestore::Form_Load() {}

void frmRestore::cmdBrowse_Click() {
    const QString name =
        BackupFileDialog::chooseToOpen(this, QStringLiteral("Select Backup File to Restore"));
    if (!name.isEmpty())
        setFileName(name);
}

void frmRestore::setFileName(const QString& name) {
    m_lblFileName->setText(name);
    lblFileName_Change();
}

void frmRestore::lblFileName_Change() {
    const QString name = m_lblFileName->text();
    m_backupConnString = ConnectionString::forFile(name);
    if (name.isEmpty()) {
        m_cmdRestore->setEnabled(false);
    } else if (!MaintenanceText::hasBackupExtension(name)) {
        refuseFileName(MaintenanceText::wrongExtension());
    } else if (!dvData::ValidBackup(m_backupConnString)) {
        refuseFileName(MaintenanceText::notABackup());
    } else {
        m_cmdRestore->setEnabled(true);
    }
}

void frmRestore::refuseFileName(const QString& message) {
    MsgBox(this, message, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    setFileName(QString());
}

void frmRestore::cmdRestore_Click() {
    const QString name = m_lblFileName->text();
    if (name.isEmpty() || isRunning())
        return;
    if (!QFileInfo::exists(name)) {
        MsgBox(this, QStringLiteral("Backup file not found."), QMessageBox::Ok,
               QMessageBox::Warning, windowTitle());
        return;
    }
    const auto answer = MsgBox(
        this,
        QStringLiteral("Are you sure you want to replace the current ") + General::GetAppTitle() +
            QStringLiteral(" data with the specified backup file?\r\n\r\nNOTE: You cannot "
                           "undo this action."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, windowTitle());
    if (answer != QMessageBox::Yes) {
        reject();
        return;
    }
    startJob(MaintenanceJob::restore(gData->PhysicalPath(),
                                     ConnectionString::dataSource(m_backupConnString)));
}

void frmRestore::cmdCancel_Click() {
    reject();
}

void frmRestore::setRunning(bool running) {
    m_cmdBrowse->setEnabled(!running);
    m_cmdRestore->setEnabled(!running && !m_lblFileName->text().isEmpty());
}

void frmRestore::jobFinished(const MaintenanceJob&) {
    // Whatever the windows show came from the database that is gone.
    emit DataChanges::instance().databaseReplaced();
    MsgBox(this, MaintenanceText::restored(), QMessageBox::Ok, QMessageBox::Information,
           windowTitle());
    closeSaved();
}

QString frmRestore::failureText() const {
    return QStringLiteral("The backup could not be restored");
}
