#include "windows/insurance/frmIncidentMark.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "insurance/IncidentStore.h"
#include "widgets/NamedWidgets.h"
#include "windows/insurance/frmIncident.h"
#include "windows/inventory/frmInventory.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString rowText(const Recordset& rows, int row, const char* column) {
    return General::NullToDefault(rows.value(row, QLatin1String(column)), General::KindText)
        .toString();
}

} // namespace

frmIncidentMark::frmIncidentMark(QWidget* parent)
    : FormDialog(QStringLiteral("frmIncidentMark"), parent) {
    setWindowTitle(QStringLiteral("Add Items to an Incident"));
    m_lblItems = NamedWidgets::label("lblItems", QString(), this);
    m_lstItems = NamedWidgets::control<QListWidget>("lstItems", this);
    m_lstItems->setSelectionMode(QAbstractItemView::NoSelection);
    m_lstItems->setFocusPolicy(Qt::NoFocus);
    m_lstItems->setMinimumSize(380, 120);
    m_cboIncident = NamedWidgets::control<QComboBox>("cboIncident", this);
    m_cboIncident->setMinimumContentsLength(30);
    QPushButton* newIncident =
        NamedWidgets::button("cmdNewIncident", QStringLiteral("&New Incident..."), this);
    newIncident->setAutoDefault(false);
    connect(newIncident, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdNewIncident_Click(); }); });

    QLabel* incident =
        NamedWidgets::label("hdgIncident", QStringLiteral("as lost or damaged in &incident"), this);
    incident->setBuddy(m_cboIncident);
    auto* choice = new QGridLayout;
    choice->addWidget(incident, 0, 0, 1, 2);
    choice->addWidget(m_cboIncident, 1, 0);
    choice->addWidget(newIncident, 1, 1);
    choice->setColumnStretch(0, 1);

    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdOK_Click(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this, &frmIncidentMark::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblItems);
    layout->addWidget(m_lstItems, 1);
    layout->addLayout(choice);
    layout->addLayout(buttons.row);
}

QList<qint64> frmIncidentMark::selectedInventoryItems(const frmMain& main) {
    const auto* inventory =
        qobject_cast<const frmInventory*>(main.toolWindow(QStringLiteral("frmInventory")));
    return inventory ? inventory->selectedItemIDs() : QList<qint64>();
}

qint64 frmIncidentMark::incidentID() const {
    return m_cboIncident->currentData().toLongLong();
}

void frmIncidentMark::Form_Load() {
    lstItems_Populate();
    cboIncident_Populate(0);
}

void frmIncidentMark::lstItems_Populate() {
    m_lstItems->clear();
    for (const qint64 id : std::as_const(m_itemIDs)) {
        const Recordset rows = gData->Inventory().Item().Retrieve(id);
        if (rows.isEmpty())
            continue;
        m_lstItems->addItem(QStringList{rowText(rows, 0, "ManufacturerNM"),
                                        rowText(rows, 0, "ItemNM"),
                                        rowText(rows, 0, "ModelSeriesTX")}
                                .join(QLatin1Char(' '))
                                .simplified());
    }
    m_lblItems->setText(m_itemIDs.size() == 1
                            ? QStringLiteral("Mark this item")
                            : QStringLiteral("Mark these %1 items").arg(m_itemIDs.size()));
}

void frmIncidentMark::cboIncident_Populate(qint64 select) {
    const Recordset rows = IncidentStore(*gData).List();
    m_cboIncident->clear();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const qint64 id = rows.value(row, 0).toLongLong();
        m_cboIncident->addItem(QStringLiteral("%1 (%2)").arg(rowText(rows, row, "Incident"),
                                                             rowText(rows, row, "Date")),
                               id);
        if (id == select)
            m_cboIncident->setCurrentIndex(row);
    }
}

void frmIncidentMark::cmdNewIncident_Click() {
    frmIncident editor(this);
    editor.exec();
    if (!editor.cancelled())
        cboIncident_Populate(editor.incidentID());
}

void frmIncidentMark::cmdOK_Click() {
    if (m_cboIncident->currentIndex() < 0) {
        MsgBox(this,
               QStringLiteral("Please choose an incident, or record a new one with New "
                              "Incident."),
               QMessageBox::Ok, QMessageBox::Warning, windowTitle());
        m_cboIncident->setFocus();
        return;
    }
    IncidentStore(*gData).AddItems(incidentID(), m_itemIDs);
    ShowStatus(QStringLiteral("Marked %1 item(s) in the incident %2.")
                   .arg(m_itemIDs.size())
                   .arg(m_cboIncident->currentText()));
    closeSaved();
}
