#include "windows/insurance/frmWarranties.h"

#include "app/Globals.h"
#include "insurance/WarrantyReminder.h"
#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The ItemID column is hidden; the dates and day counts need little room.
const QList<double> ColumnWidths = {0, 0.24, 0.30, 0.18, 0.15, 0.13};
constexpr int DaysColumn = 5;

} // namespace

frmWarranties::frmWarranties(QWidget* parent)
    : FormDialog(QStringLiteral("frmWarranties"), parent) {
    setWindowTitle(QStringLiteral("Warranties Running Out"));
    m_lblWarranties = NamedWidgets::label("lblWarranties", QString(), this);
    m_lblWarranties->setWordWrap(true);
    m_lvwWarranties = NamedWidgets::control<GridView>("lvwWarranties", this);
    m_lvwWarranties->setMinimumSize(560, 220);
    m_cmdOK = NamedWidgets::button("cmdOK", QStringLiteral("&OK"), this);
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmWarranties::cmdOK_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblWarranties);
    layout->addWidget(m_lvwWarranties, 1);
    layout->addLayout(NamedWidgets::buttonRow({m_cmdOK}));
}

void frmWarranties::Form_Load() {
    lvwWarranties_Populate();
}

void frmWarranties::lvwWarranties_Populate() {
    const int days = WarrantyReminder::days();
    const Recordset rows = WarrantyReminder::expiring(*gData, days);
    FillListView(m_lvwWarranties, rows);
    m_lvwWarranties->setColumnWidthFractions(ColumnWidths);
    m_lvwWarranties->setColumnAlignment(DaysColumn, Qt::AlignRight | Qt::AlignVCenter);
    if (rows.isEmpty())
        m_lblWarranties->setText(
            QStringLiteral("No warranty runs out within the next %1 days.").arg(days));
    else
        m_lblWarranties->setText(
            (rows.rowCount() == 1 ? QStringLiteral("One warranty runs out")
                                  : QStringLiteral("%1 warranties run out").arg(rows.rowCount())) +
            QStringLiteral(" within the next %1 days (the days are set under Tools, Options, "
                           "Warranties):")
                .arg(days));
}

void frmWarranties::cmdOK_Click() {
    closeSaved();
}
