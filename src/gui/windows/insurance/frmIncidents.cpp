#include "windows/insurance/frmIncidents.h"

#include "app/AppPaths.h"
#include "app/BrowserOpen.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "data/DbError.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "export/ExportError.h"
#include "insurance/Claim.h"
#include "insurance/ClaimCsv.h"
#include "insurance/IncidentStore.h"
#include "reports/rptGeneral.h"
#include "reports/rptIncidentClaim.h"
#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"
#include "windows/insurance/frmIncident.h"
#include "windows/insurance/frmIncidentItems.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

namespace {

using NamedWidgets::button;

// IncidentID hidden; Incident, Date, Kind, Items, Notes.
const QList<double> IncidentWidths = {0, 0.30, 0.13, 0.15, 0.08, 0.34};
// ItemID hidden; Manufacturer, Item, Model, Type, Location.
const QList<double> ItemWidths = {0, 0.20, 0.28, 0.16, 0.18, 0.18};

// A file name proposed for an incident's claim: its name without characters that file systems
// refuse.
QString proposedCsvName(const QString& incident) {
    QString name = incident;
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|])")), QStringLiteral("-"));
    return QStringLiteral("%1 claim.csv").arg(name.simplified());
}

QString pageFile() {
    return AppPaths::pageFile(QFileInfo(gData->PhysicalPath()).absolutePath());
}

} // namespace

frmIncidents::frmIncidents(QWidget* parent)
    : FormDialog(QStringLiteral("frmIncidents"), parent) {
    setWindowTitle(QStringLiteral("Incidents and Claims"));
    m_lvwIncidents = NamedWidgets::control<GridView>("lvwIncidents", this);
    m_lvwIncidents->setMinimumSize(560, 150);
    m_hdgItems = NamedWidgets::label("hdgItems", QString(), this);
    QFont bold = m_hdgItems->font();
    bold.setBold(true);
    m_hdgItems->setFont(bold);
    m_lvwItems = NamedWidgets::control<GridView>("lvwItems", this);
    m_lvwItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lvwItems->setMinimumSize(560, 200);

    m_cmdNew = button("cmdNew", QStringLiteral("&New..."), this);
    m_cmdEdit = button("cmdEdit", QStringLiteral("&Edit..."), this);
    m_cmdDelete = button("cmdDelete", QStringLiteral("&Delete"), this);
    m_cmdAddItems = button("cmdAddItems", QStringLiteral("&Add Items..."), this);
    m_cmdRemoveItems = button("cmdRemoveItems", QStringLiteral("&Remove Items"), this);
    m_cmdClaim = button("cmdClaim", QStringLiteral("Claim &List"), this);
    m_cmdClaimCsv = button("cmdClaimCsv", QStringLiteral("Claim as &CSV..."), this);
    m_cmdClose = button("cmdClose", QStringLiteral("Close"), this);
    for (QPushButton* push : {m_cmdNew, m_cmdEdit, m_cmdDelete, m_cmdAddItems, m_cmdRemoveItems,
                              m_cmdClaim, m_cmdClaimCsv})
        push->setAutoDefault(false);
    m_cmdClose->setDefault(true);

    connect(m_cmdNew, &QPushButton::clicked, this, [this] { run(&frmIncidents::cmdNew_Click); });
    connect(m_cmdEdit, &QPushButton::clicked, this, [this] { run(&frmIncidents::cmdEdit_Click); });
    connect(m_cmdDelete, &QPushButton::clicked, this,
            [this] { run(&frmIncidents::cmdDelete_Click); });
    connect(m_cmdAddItems, &QPushButton::clicked, this,
            [this] { run(&frmIncidents::cmdAddItems_Click); });
    connect(m_cmdRemoveItems, &QPushButton::clicked, this,
            [this] { run(&frmIncidents::cmdRemoveItems_Click); });
    connect(m_cmdClaim, &QPushButton::clicked, this,
            [this] { run(&frmIncidents::cmdClaim_Click); });
    connect(m_cmdClaimCsv, &QPushButton::clicked, this,
            [this] { run(&frmIncidents::cmdClaimCsv_Click); });
    connect(m_cmdClose, &QPushButton::clicked, this, &frmIncidents::accept);
    connect(m_lvwIncidents, &GridView::selectedRowChanged, this,
            [this] { run(&frmIncidents::lvwIncidents_SelectionChanged); });
    connect(m_lvwIncidents, &GridView::doubleClicked, this,
            [this] { run(&frmIncidents::cmdEdit_Click); });
    connect(m_lvwItems, &GridView::selectedRowChanged, this,
            &frmIncidents::lvwItems_SelectionChanged);

    const auto column = [](std::initializer_list<QPushButton*> buttons) {
        auto* layout = new QVBoxLayout;
        for (QPushButton* push : buttons)
            layout->addWidget(push);
        layout->addStretch();
        return layout;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(NamedWidgets::label("hdgIncidents", QStringLiteral("Incidents:"), this), 0, 0);
    grid->addWidget(m_lvwIncidents, 1, 0);
    grid->addLayout(column({m_cmdNew, m_cmdEdit, m_cmdDelete}), 1, 1);
    grid->addWidget(m_hdgItems, 2, 0);
    grid->addWidget(m_lvwItems, 3, 0);
    grid->addLayout(column({m_cmdAddItems, m_cmdRemoveItems}), 3, 1);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(3, 3);
    grid->setColumnStretch(0, 1);
    auto* foot = new QHBoxLayout;
    foot->addWidget(m_cmdClaim);
    foot->addWidget(m_cmdClaimCsv);
    foot->addStretch();
    foot->addWidget(m_cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(foot);
    resize(760, 560);
}

void frmIncidents::run(void (frmIncidents::*command)()) {
    RunCommand(this, [this, command] { (this->*command)(); });
}

void frmIncidents::Form_Load() {
    lvwIncidents_Populate(0);
}

// ---------------------------------------------------------------------------------------------
// The two lists

void frmIncidents::lvwIncidents_Populate(qint64 select) {
    FillListView(m_lvwIncidents, IncidentStore(*gData).List());
    m_lvwIncidents->setColumnWidthFractions(IncidentWidths);
    m_lvwIncidents->setColumnAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    int row = 0;
    for (int r = 0; r < m_lvwIncidents->rowCount(); ++r) {
        if (m_lvwIncidents->itemText(r).toLongLong() == select)
            row = r;
    }
    // Selecting fills the item list; with no incident it is emptied here.
    if (m_lvwIncidents->rowCount() > 0)
        m_lvwIncidents->selectRow(row);
    lvwIncidents_SelectionChanged();
}

std::optional<qint64> frmIncidents::selectedIncidentID() const {
    const int row = m_lvwIncidents->selectedRow();
    if (row < 0)
        return std::nullopt;
    return m_lvwIncidents->itemText(row).toLongLong();
}

QString frmIncidents::selectedIncidentName() const {
    const int row = m_lvwIncidents->selectedRow();
    return row < 0 ? QString() : m_lvwIncidents->subItemText(row, 1);
}

void frmIncidents::lvwIncidents_SelectionChanged() {
    const bool chosen = selectedIncidentID().has_value();
    for (QPushButton* push : {m_cmdEdit, m_cmdDelete, m_cmdAddItems, m_cmdClaim, m_cmdClaimCsv})
        push->setEnabled(chosen);
    lvwItems_Populate();
}

void frmIncidents::lvwItems_Populate() {
    const auto incident = selectedIncidentID();
    if (!incident) {
        m_lvwItems->gridModel()->clear();
        m_hdgItems->setText(QStringLiteral("Items lost or damaged:"));
    } else {
        FillListView(m_lvwItems, IncidentStore(*gData).Items(*incident));
        m_lvwItems->setColumnWidthFractions(ItemWidths);
        m_hdgItems->setText(QStringLiteral("Items lost or damaged in %1 (%2):")
                                .arg(selectedIncidentName())
                                .arg(m_lvwItems->rowCount()));
    }
    lvwItems_SelectionChanged();
}

QList<qint64> frmIncidents::selectedItemIDs() const {
    QList<qint64> ids;
    for (const QModelIndex& index : m_lvwItems->selectionModel()->selectedRows())
        ids.append(m_lvwItems->itemText(index.row()).toLongLong());
    std::sort(ids.begin(), ids.end());
    return ids;
}

void frmIncidents::lvwItems_SelectionChanged() {
    m_cmdRemoveItems->setEnabled(!selectedItemIDs().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Incidents

void frmIncidents::cmdNew_Click() {
    frmIncident editor(this);
    editor.exec();
    if (!editor.cancelled())
        lvwIncidents_Populate(editor.incidentID());
}

void frmIncidents::cmdEdit_Click() {
    const auto incident = selectedIncidentID();
    if (!incident)
        return;
    frmIncident editor(this);
    editor.setIncidentID(*incident);
    editor.exec();
    if (!editor.cancelled())
        lvwIncidents_Populate(*incident);
}

void frmIncidents::cmdDelete_Click() {
    const auto incident = selectedIncidentID();
    if (!incident)
        return;
    const auto answer =
        MsgBox(this,
               QStringLiteral("Are you sure you want to delete the incident '%1'?\n\nIts items "
                              "stay in the inventory.")
                   .arg(selectedIncidentName()),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question,
               QStringLiteral("Delete Incident"));
    if (answer != QMessageBox::Yes)
        return;
    IncidentStore(*gData).Delete(*incident);
    lvwIncidents_Populate(0);
}

// ---------------------------------------------------------------------------------------------
// Items

void frmIncidents::cmdAddItems_Click() {
    const auto incident = selectedIncidentID();
    if (!incident)
        return;
    frmIncidentItems picker(this);
    picker.setIncidentID(*incident);
    picker.exec();
    if (picker.cancelled())
        return;
    IncidentStore(*gData).AddItems(*incident, picker.itemIDs());
    lvwIncidents_Populate(*incident);
}

void frmIncidents::cmdRemoveItems_Click() {
    const auto incident = selectedIncidentID();
    const QList<qint64> items = selectedItemIDs();
    if (!incident || items.isEmpty())
        return;
    // Only the marks go; the items stay in the inventory.
    IncidentStore(*gData).RemoveItems(*incident, items);
    lvwIncidents_Populate(*incident);
}

// ---------------------------------------------------------------------------------------------
// The claim

void frmIncidents::cmdClaim_Click() {
    const auto incident = selectedIncidentID();
    if (!incident)
        return;
    const QString page = writePage(this, [&] {
        const Claim claim = Claim::load(*gData, *incident);
        rptGeneral writer(pageFile());
        return rptIncidentClaim::Generate(writer, claim);
    });
    if (!page.isEmpty())
        openInBrowser(this, page);
}

void frmIncidents::cmdClaimCsv_Click() {
    const auto incident = selectedIncidentID();
    if (!incident)
        return;
    const QString caption = QStringLiteral("Save the Claim as CSV");
    const QString chosen = FileDialogs::current().getSaveFileName(
        this, caption, QDir(QDir::homePath()).filePath(proposedCsvName(selectedIncidentName())),
        QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (chosen.isEmpty())
        return;
    try {
        ClaimCsv::write(Claim::load(*gData, *incident), chosen);
    } catch (const ExportError& failure) {
        MsgBox(this, failure.message(), QMessageBox::Ok, QMessageBox::Critical, caption);
        return;
    }
    ShowStatus(QStringLiteral("The claim was saved as %1.").arg(QDir::toNativeSeparators(chosen)));
}
