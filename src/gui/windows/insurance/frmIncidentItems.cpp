#include "windows/insurance/frmIncidentItems.h"

#include "app/General.h"
#include "app/Globals.h"
#include "dialogs/MessageBoxes.h"
#include "insurance/IncidentStore.h"
#include "widgets/NamedWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace {

QString rowText(const Recordset& rows, int row, const char* column) {
    return General::NullToDefault(rows.value(row, QLatin1String(column)), General::KindText)
        .toString();
}

} // namespace

frmIncidentItems::frmIncidentItems(QWidget* parent)
    : FormDialog(QStringLiteral("frmIncidentItems"), parent) {
    setWindowTitle(QStringLiteral("Add Items to the Incident"));
    m_txtFind = NamedWidgets::control<QLineEdit>("txtFind", this);
    m_txtFind->setPlaceholderText(QStringLiteral("Type part of a name, model, type or location"));
    m_txtFind->setClearButtonEnabled(true);
    m_lstItems = NamedWidgets::control<QListWidget>("lstItems", this);
    m_lstItems->setSelectionMode(QAbstractItemView::MultiSelection);
    m_lstItems->setMinimumSize(420, 280);
    m_cmdSelectAll = NamedWidgets::button("cmdSelectAll", QStringLiteral("&Select All"), this);
    m_cmdClearAll = NamedWidgets::button("cmdClearAll", QStringLiteral("C&lear All"), this);
    for (QPushButton* push : {m_cmdSelectAll, m_cmdClearAll})
        push->setAutoDefault(false);
    connect(m_txtFind, &QLineEdit::textChanged, this, &frmIncidentItems::txtFind_Change);
    connect(m_cmdSelectAll, &QPushButton::clicked, this, [this] { SelectAllItems(true); });
    connect(m_cmdClearAll, &QPushButton::clicked, this, [this] { SelectAllItems(false); });

    QLabel* find = NamedWidgets::label("lblFind", QStringLiteral("&Find:"), this);
    find->setBuddy(m_txtFind);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(find);
    findRow->addWidget(m_txtFind, 1);
    auto* selection = new QHBoxLayout;
    selection->addWidget(m_cmdSelectAll);
    selection->addWidget(m_cmdClearAll);
    selection->addStretch();

    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    buttons.ok->setText(QStringLiteral("&Add"));
    connect(buttons.ok, &QPushButton::clicked, this, &frmIncidentItems::cmdOK_Click);
    connect(buttons.cancel, &QPushButton::clicked, this, &frmIncidentItems::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(findRow);
    layout->addWidget(m_lstItems, 1);
    layout->addLayout(selection);
    layout->addLayout(buttons.row);
}

void frmIncidentItems::Form_Load() {
    lstItems_Populate();
}

void frmIncidentItems::lstItems_Populate() {
    QSet<qint64> marked;
    const Recordset markedRows = IncidentStore(*gData).Items(m_incidentID);
    for (int row = 0; row < markedRows.rowCount(); ++row)
        marked.insert(markedRows.value(row, 0).toLongLong());
    const Recordset rows = gData->Inventory().Item().List(QString(), QString(), QString());
    m_lstItems->clear();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const qint64 id = rows.value(row, QStringLiteral("ItemID")).toLongLong();
        if (marked.contains(id))
            continue;
        QString text =
            QStringList{rowText(rows, row, "ManufacturerNM"), rowText(rows, row, "ItemNM"),
                        rowText(rows, row, "ModelSeriesTX")}
                .join(QLatin1Char(' '))
                .simplified();
        QStringList place = {rowText(rows, row, "TypeTX"), rowText(rows, row, "LocationTX")};
        place.removeAll(QString());
        if (!place.isEmpty())
            text += QStringLiteral("  (%1)").arg(place.join(QStringLiteral(", ")));
        auto* entry = new QListWidgetItem(text, m_lstItems);
        entry->setData(Qt::UserRole, id);
    }
}

void frmIncidentItems::txtFind_Change() {
    const QString find = m_txtFind->text().trimmed();
    for (int row = 0; row < m_lstItems->count(); ++row) {
        QListWidgetItem* entry = m_lstItems->item(row);
        // A selected item stays in view, so that nothing is added unseen.
        entry->setHidden(!find.isEmpty() && !entry->isSelected() &&
                         !entry->text().contains(find, Qt::CaseInsensitive));
    }
}

void frmIncidentItems::SelectAllItems(bool selected) {
    for (int row = 0; row < m_lstItems->count(); ++row) {
        QListWidgetItem* entry = m_lstItems->item(row);
        if (!entry->isHidden() || !selected)
            entry->setSelected(selected);
    }
}

void frmIncidentItems::cmdOK_Click() {
    m_itemIDs.clear();
    for (int row = 0; row < m_lstItems->count(); ++row) {
        if (m_lstItems->item(row)->isSelected())
            m_itemIDs.append(m_lstItems->item(row)->data(Qt::UserRole).toLongLong());
    }
    if (m_itemIDs.isEmpty()) {
        MsgBox(this, QStringLiteral("Please select the items to add."), QMessageBox::Ok,
               QMessageBox::Warning, windowTitle());
        m_lstItems->setFocus();
        return;
    }
    closeSaved();
}
