#include "windows/export/frmExport.h"

#include "app/Commands.h"
#include "app/Globals.h"
#include "data/RowCursor.h"
#include "data/dvData.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "export/ExportError.h"
#include "export/ExportFile.h"
#include "export/ExportSource.h"
#include "widgets/NamedWidgets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace {

using NamedWidgets::control;

const QString BrowseCaption = QStringLiteral("Browse for Export File");

// Short exports finish before a progress window could be read; longer ones show it.
int progressDelay = 500;

QLabel* heading(const char* name, const QString& caption, QWidget* buddy, QWidget* parent) {
    QLabel* text = NamedWidgets::label(name, caption, parent);
    text->setBuddy(buddy);
    return text;
}

} // namespace

frmExport::frmExport(QWidget* parent)
    : FormDialog(QStringLiteral("frmExport"), parent) {
    setWindowTitle(QStringLiteral("Export Domivo Data"));

    m_picGraphic1 = control<QLabel>("picGraphic1", this);
    m_picGraphic1->setPixmap(windowIcon().pixmap(48, 48));
    m_picGraphic1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_cboExportWhat = control<QComboBox>("cboExportWhat", this);
    m_cboExportWhat->setMinimumContentsLength(30);
    m_lstExportFormat = control<QListWidget>("lstExportFormat", this);
    m_lstExportFormat->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lblFileName = NamedWidgets::label("lblFileName", QString(), this);
    m_lblFileName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblFileName->setMinimumWidth(320);
    m_lblFileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_cmdBrowse = NamedWidgets::button("cmdBrowse", QStringLiteral("&Browse..."), this);
    m_cmdBrowse->setAutoDefault(false);
    m_cmdExport = NamedWidgets::button("cmdExport", QStringLiteral("&Export"), this);
    m_cmdExport->setDefault(true);
    m_cmdCancel = NamedWidgets::button("cmdCancel", QStringLiteral("&Cancel"), this);
    m_cmdCancel->setAutoDefault(false);

    connect(m_cmdBrowse, &QPushButton::clicked, this, &frmExport::cmdBrowse_Click);
    connect(m_cmdExport, &QPushButton::clicked, this, &frmExport::cmdExport_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmExport::cmdCancel_Click);

    auto* fields = new QGridLayout;
    fields->addWidget(heading("hdgExportWhat", QStringLiteral("Select the table to export"),
                              m_cboExportWhat, this),
                      0, 0, 1, 2);
    fields->addWidget(m_cboExportWhat, 1, 0, 1, 2);
    fields->addWidget(heading("hdgExportFormat",
                              QStringLiteral("Select the format for the export file"),
                              m_lstExportFormat, this),
                      2, 0, 1, 2);
    fields->addWidget(m_lstExportFormat, 3, 0, 1, 2);
    fields->addWidget(
        heading("hdgFilename", QStringLiteral("Select the export file name"), m_cmdBrowse, this), 4,
        0, 1, 2);
    fields->addWidget(m_lblFileName, 5, 0);
    fields->addWidget(m_cmdBrowse, 5, 1);
    fields->setColumnStretch(0, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_picGraphic1);
    body->addLayout(fields, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(NamedWidgets::buttonRow({m_cmdExport, m_cmdCancel}));
}

void frmExport::setProgressDelayForTesting(int milliseconds) {
    progressDelay = milliseconds;
}

void frmExport::Form_Load() {
    cboExportWhat_Populate();
    lstExportFormat_Populate();
}

void frmExport::cboExportWhat_Populate() {
    m_cboExportWhat->clear();
    m_cboExportWhat->addItems(ExportSource::entries(*gData));
    m_cboExportWhat->setCurrentIndex(-1);
}

void frmExport::lstExportFormat_Populate() {
    m_lstExportFormat->clear();
    m_lstExportFormat->addItems(ExportFormats::entries());
    // Three rows, without room to spare.
    m_lstExportFormat->setFixedHeight(m_lstExportFormat->sizeHintForRow(0) * 3 +
                                      2 * m_lstExportFormat->frameWidth() + 4);
}

void frmExport::cmdBrowse_Click() {
    const QString current = m_lblFileName->text();
    const QString chosen = FileDialogs::current().getSaveFileName(
        this, BrowseCaption, current.isEmpty() ? QDir::homePath() : current, QString());
    if (chosen.isEmpty())
        return;
    const QFileInfo file(chosen);
    // A folder that exists is accepted even when it is empty.
    if (!QFileInfo(file.absolutePath()).isDir()) {
        MsgBox(this, QStringLiteral("The path you selected does not exist."), QMessageBox::Ok,
               QMessageBox::Warning, BrowseCaption);
        return;
    }
    m_lblFileName->setText(QDir::toNativeSeparators(file.absoluteFilePath()));
}

void frmExport::refuse(const QString& message, QWidget* control) {
    MsgBox(this, message, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    control->setFocus();
}

void frmExport::cmdExport_Click() {
    if (m_cboExportWhat->currentIndex() < 0) {
        refuse(QStringLiteral("Please select the table you wish to export"), m_cboExportWhat);
        return;
    }
    const QListWidgetItem* formatEntry = m_lstExportFormat->currentItem();
    const auto format = formatEntry && formatEntry->isSelected()
                            ? ExportFormats::ofEntry(formatEntry->text())
                            : std::nullopt;
    if (!format) {
        refuse(QStringLiteral("Please select the format you wish to export to"), m_lstExportFormat);
        return;
    }
    if (m_lblFileName->text().isEmpty()) {
        refuse(QStringLiteral("Please choose an export file"), m_cmdBrowse);
        return;
    }
    // Values holding a comma are quoted, so the comma-separated file keeps its columns and
    // needs no warning.
    bool finished = false;
    RunCommand(this, [&] {
        try {
            finished = ExportTable(*format, QDir::fromNativeSeparators(m_lblFileName->text()));
        } catch (const ExportError& error) {
            MsgBox(this, error.message(), QMessageBox::Ok, QMessageBox::Critical, windowTitle());
        }
    });
    if (!finished)
        return;
    MsgBox(this, QStringLiteral("Export complete"), QMessageBox::Ok, QMessageBox::Information,
           windowTitle());
    closeSaved();
}

void frmExport::cmdCancel_Click() {
    reject();
}

bool frmExport::ExportTable(ExportFormat format, const QString& fileName) {
    RowCursor rows = ExportSource::open(*gData, m_cboExportWhat->currentText());
    return WriteExportFile(rows, format, fileName);
}

bool frmExport::WriteExportFile(RowCursor& rows, ExportFormat format, const QString& fileName) {
    QProgressDialog progress(QStringLiteral("Exporting %1...").arg(m_cboExportWhat->currentText()),
                             QStringLiteral("&Cancel"), 0, 0, this);
    progress.setObjectName(QStringLiteral("prgExport"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    // Shown below once the export has run for a moment, not by the dialog's own guess.
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    QElapsedTimer running;
    running.start();
    qint64 lastUpdate = -1;
    const auto report = [&](qint64 written, qint64 total) {
        // A few updates a second keep the window drawn and its Cancel button working without
        // slowing the export down.
        if (lastUpdate >= 0 && running.elapsed() - lastUpdate < 50)
            return !progress.wasCanceled();
        lastUpdate = running.elapsed();
        constexpr qint64 most = std::numeric_limits<int>::max();
        progress.setMaximum(int(std::min(total, most)));
        progress.setValue(int(std::min({written, total, most})));
        if (!progress.isVisible() && running.elapsed() >= progressDelay)
            progress.show();
        if (progress.isVisible())
            QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    return ExportFile::write(rows, format, fileName, report).has_value();
}
