#include "windows/inventory/frmMoveLocation.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "data/DataChanges.h"
#include "dialogs/MessageBoxes.h"
#include "widgets/NamedWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

using NamedWidgets::control;

QLabel* label(const char* name, const QString& caption, QWidget* buddy, QWidget* parent) {
    QLabel* text = NamedWidgets::label(name, caption, parent);
    text->setBuddy(buddy);
    return text;
}

QString rowText(const Recordset& rows, int row, const char* column) {
    return General::NullToDefault(rows.value(row, QLatin1String(column)), General::KindText)
        .toString();
}

} // namespace

frmMoveLocation::frmMoveLocation(QWidget* parent)
    : FormDialog(QStringLiteral("frmMoveLocation"), parent) {
    setWindowTitle(QStringLiteral("Move Items to another Location"));

    m_cboMoveFrom = control<QComboBox>("cboMoveFrom", this);
    m_lstItems = control<QListWidget>("lstItems", this);
    m_lstItems->setSelectionMode(QAbstractItemView::MultiSelection);
    m_lstItems->setMinimumSize(320, 240);
    m_cboMoveTo = control<QComboBox>("cboMoveTo", this);
    const auto button = [this](const char* name, const QString& caption) {
        QPushButton* push = NamedWidgets::button(name, caption, this);
        push->setAutoDefault(false);
        return push;
    };
    m_cmdSelectAll = button("cmdSelectAll", QStringLiteral("&Select All"));
    m_cmdClearAll = button("cmdClearAll", QStringLiteral("C&lear All"));
    m_cmdMove = button("cmdMove", QStringLiteral("&Move"));
    m_cmdCancel = button("cmdCancel", QStringLiteral("&Cancel"));
    for (QPushButton* push : {m_cmdSelectAll, m_cmdClearAll, m_cmdMove})
        push->setEnabled(false);

    connect(m_cboMoveFrom, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            RunCommand(this, [this] { cboMoveFrom_Click(); });
    });
    connect(m_cboMoveTo, &QComboBox::currentIndexChanged, this, &frmMoveLocation::cmdMove_Enable);
    connect(m_cmdSelectAll, &QPushButton::clicked, this, [this] { SelectAllItems(true); });
    connect(m_cmdClearAll, &QPushButton::clicked, this, [this] { SelectAllItems(false); });
    connect(m_cmdMove, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdMove_Click(); }); });
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmMoveLocation::cmdCancel_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(label("hdgMoveFrom", QStringLiteral("Move items from"), m_cboMoveFrom, this), 0,
                    0);
    grid->addWidget(m_cboMoveFrom, 0, 1);
    grid->addWidget(label("lblItemList", QStringLiteral("Select items to move:"), m_lstItems, this),
                    1, 0, 1, 2);
    grid->addWidget(m_lstItems, 2, 0, 1, 2);
    auto* selection = new QHBoxLayout;
    selection->addWidget(m_cmdSelectAll);
    selection->addWidget(m_cmdClearAll);
    selection->addStretch();
    grid->addLayout(selection, 3, 0, 1, 2);
    grid->addWidget(label("hdgMoveTo", QStringLiteral("Move items to"), m_cboMoveTo, this), 4, 0);
    grid->addWidget(m_cboMoveTo, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(NamedWidgets::buttonRow({m_cmdMove, m_cmdCancel}));
}

void frmMoveLocation::Form_Load() {
    cboMoveFrom_Populate();
}

void frmMoveLocation::cboMoveFrom_Populate() {
    const QString column = QStringLiteral("LocationTX");
    const Recordset rows = gData->Inventory().Item().DistinctFieldValue(column);
    const QSignalBlocker blocker(m_cboMoveFrom);
    m_cboMoveFrom->clear();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString location = rowText(rows, row, "LocationTX");
        // Items filed under no location cannot be chosen by one.
        if (!location.isEmpty())
            m_cboMoveFrom->addItem(location);
    }
    m_cboMoveFrom->setCurrentIndex(-1);
}

void frmMoveLocation::cboMoveTo_Populate() {
    const Recordset rows = gData->Inventory().Item().Location().List();
    const QSignalBlocker blocker(m_cboMoveTo);
    m_cboMoveTo->clear();
    for (int row = 0; row < rows.rowCount(); ++row)
        m_cboMoveTo->addItem(rowText(rows, row, "LocationTX"));
    m_cboMoveTo->setCurrentIndex(-1);
}

void frmMoveLocation::lstItems_Populate() {
    RowCursor rows = gData->Inventory().Item().ListRows(m_cboMoveFrom->currentText(), QString());
    const auto column = [&rows](const char* name) {
        for (int i = 0; i < rows.columns().size(); ++i)
            if (rows.columns()[i].name == QLatin1String(name))
                return i;
        return -1;
    };
    const int id = column("ItemID");
    const int parts[] = {column("ManufacturerNM"), column("ItemNM"), column("ModelSeriesTX")};
    m_lstItems->clear();
    while (rows.next()) {
        QStringList words;
        for (const int part : parts)
            words.append(
                General::NullToDefault(rows.row().value(part), General::KindText).toString());
        auto* entry = new QListWidgetItem(words.join(QLatin1Char(' ')).trimmed(), m_lstItems);
        entry->setData(Qt::UserRole, rows.row().value(id));
    }
}

void frmMoveLocation::cboMoveFrom_Click() {
    lstItems_Populate();
    cboMoveTo_Populate();
    cmdMove_Enable();
    m_cmdSelectAll->setEnabled(true);
    m_cmdClearAll->setEnabled(true);
}

void frmMoveLocation::cmdMove_Enable() {
    m_cmdMove->setEnabled(!m_cboMoveFrom->currentText().isEmpty() &&
                          !m_cboMoveTo->currentText().isEmpty());
}

void frmMoveLocation::SelectAllItems(bool selected) {
    // One change of the whole selection: selecting entry by entry costs the list a pass over
    // its selection for each entry.
    if (selected)
        m_lstItems->selectAll();
    else
        m_lstItems->clearSelection();
}

bool frmMoveLocation::refuse(const QString& message, QWidget* control) {
    MsgBox(this, message, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    control->setFocus();
    return false;
}

void frmMoveLocation::cmdMove_Click() {
    if (m_cboMoveFrom->currentText().isEmpty()) {
        refuse(QStringLiteral("Please select the location to move items from."), m_cboMoveFrom);
        return;
    }
    if (m_cboMoveTo->currentText().isEmpty()) {
        refuse(QStringLiteral("Please select the location to move items to."), m_cboMoveTo);
        return;
    }
    QList<qint64> itemIDs;
    for (int row = 0; row < m_lstItems->count(); ++row) {
        if (m_lstItems->item(row)->isSelected())
            itemIDs.append(m_lstItems->item(row)->data(Qt::UserRole).toLongLong());
    }
    if (itemIDs.isEmpty()) {
        refuse(QStringLiteral("You must select one or more items to move."), m_lstItems);
        return;
    }
    gData->Inventory().Item().MoveToLocation(itemIDs, m_cboMoveTo->currentText());
    emit DataChanges::instance().itemsChanged();
    closeSaved();
}

void frmMoveLocation::cmdCancel_Click() {
    reject();
}
