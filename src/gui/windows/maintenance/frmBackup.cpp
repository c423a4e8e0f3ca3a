#include "windows/maintenance/frmBackup.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "data/ConnectionString.h"
#include "dialogs/MessageBoxes.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"
#include "widgets/NamedWidgets.h"
#include "windows/maintenance/BackupFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString DialogTitle = QStringLiteral("Specify Backup Filename");

} // namespace

frmBackup::frmBackup(QWidget* parent)
    : MaintenanceDialog(QStringLiteral("frmBackup"), parent) {
    setWindowTitle(QStringLiteral("Backup Database"));

    m_lblBackup = NamedWidgets::label(
        "lblBackup",
        QStringLiteral("This function allows you to create a mirror-image backup of your Domivo "
                       "database.  In the event that the active database becomes corrupt, you "
                       "will be able to use this backup file to restore your data using the "
                       "Restore command found under the File menu."),
        this);
    m_lblBackup->setWordWrap(true);
    m_hdgFilename = NamedWidgets::label(
        "hdgFilename", QStringLiteral("Select a filename to use for the backup file"), this);
    m_lblFileName = NamedWidgets::label("lblFileName", QString(), this);
    m_lblFileName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblFileName->setMinimumWidth(360);
    m_lblLastBackup = NamedWidgets::label("lblLastBackup", QString(), this);

    m_cmdBrowse = NamedWidgets::button("cmdBrowse", QStringLiteral("&Browse..."), this);
    m_cmdBrowse->setAutoDefault(false);
    m_cmdBackup = NamedWidgets::button("cmdBackup", QStringLiteral("&Backup"), this);
    m_cmdBackup->setDefault(true);
    m_cmdBackup->setEnabled(false);
    m_cmdCancel = NamedWidgets::button("cmdCancel", QStringLiteral("&Cancel"), this);
    m_cmdCancel->setAutoDefault(false);
    connect(m_cmdBrowse, &QPushButton::clicked, this, &frmBackup::cmdBrowse_Click);
    connect(m_cmdBackup, &QPushButton::clicked, this, &frmBackup::cmdBackup_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmBackup::cmdCancel_Click);

    auto* file = new QGridLayout;
    file->addWidget(m_hdgFilename, 0, 0, 1, 2);
    file->addWidget(m_lblFileName, 1, 0);
    file->addWidget(m_cmdBrowse, 1, 1);
    file->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblBackup);
    layout->addSpacing(8);
    layout->addLayout(file);
    layout->addWidget(m_lblLastBackup);
    layout->addWidget(progressBar());
    layout->addStretch();
    layout->addLayout(NamedWidgets::buttonRow({m_cmdBackup, m_cmdCancel}));
    setMinimumWidth(480);
}

void frmBackup::Form_Load() {
    showLastDate(m_lblLastBackup, QStringLiteral("Last backup on "),
                 Settings::text(SettingKeys::LastBackup));
}

void frmBackup::cmdBrowse_Click() {
    const QString name = BackupFileDialog::chooseToSave(this, DialogTitle);
    if (name.isEmpty())
        return;
    if (!QFileInfo(name).absoluteDir().exists()) {
        MsgBox(this, QStringLiteral("The path you selected does not exist."), QMessageBox::Ok,
               QMessageBox::Warning, DialogTitle);
        return;
    }
    setFileName(name);
    if (m_lblFileName->text().isEmpty() || !QFileInfo::exists(name))
        return;
    const auto answer = MsgBox(
        this,
        QStringLiteral("The specified filename is already in use.\r\nDo you want to overwrite the "
                       "existing file with a new Domivo backup?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, windowTitle());
    if (answer == QMessageBox::Yes) {
        m_replaceAgreed = true;
        m_cmdBackup->setEnabled(true);
    } else {
        setFileName(QString());
        m_cmdBackup->setEnabled(false);
    }
}

void frmBackup::setFileName(const QString& name) {
    m_replaceAgreed = false;
    m_lblFileName->setText(name);
    lblFileName_Change();
}

void frmBackup::lblFileName_Change() {
    const QString name = m_lblFileName->text();
    m_backupConnString = ConnectionString::forFile(name);
    if (!name.isEmpty() && !MaintenanceText::hasBackupExtension(name)) {
        MsgBox(this, MaintenanceText::wrongExtension(), QMessageBox::Ok, QMessageBox::Warning,
               windowTitle());
        setFileName(QString());
        return;
    }
    m_cmdBackup->setEnabled(!name.isEmpty());
}

void frmBackup::cmdBackup_Click() {
    const QString name = m_lblFileName->text();
    if (name.isEmpty() || isRunning())
        return;
    startJob(MaintenanceJob::backup(
        gData->PhysicalPath(), ConnectionString::dataSource(m_backupConnString), m_replaceAgreed));
}

void frmBackup::cmdCancel_Click() {
    reject();
}

void frmBackup::setRunning(bool running) {
    m_cmdBrowse->setEnabled(!running);
    m_cmdBackup->setEnabled(!running && !m_lblFileName->text().isEmpty());
}

void frmBackup::jobFinished(const MaintenanceJob&) {
    MsgBox(this, MaintenanceText::backedUp(), QMessageBox::Ok, QMessageBox::Information,
           windowTitle());
    closeSaved();
}

QString frmBackup::failureText() const {
    return QStringLiteral("The backup could not be made");
}
