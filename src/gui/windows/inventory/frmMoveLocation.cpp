#include "windows/inventory/frmMoveLocation.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel* label(const char* name, const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* text = new QLabel(caption, parent);
    text->setObjectName(QLatin1String(name));
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

    m_moveFrom = new QComboBox(this);
    m_moveFrom->setObjectName(QStringLiteral("cboMoveFrom"));
    m_items = new QListWidget(this);
    m_items->setObjectName(QStringLiteral("lstItems"));
    m_items->setSelectionMode(QAbstractItemView::MultiSelection);
    m_items->setMinimumSize(320, 240);
    m_moveTo = new QComboBox(this);
    m_moveTo->setObjectName(QStringLiteral("cboMoveTo"));
    const auto button = [this](const char* name, const QString& caption) {
        auto* push = new QPushButton(caption, this);
        push->setObjectName(QLatin1String(name));
        push->setAutoDefault(false);
        return push;
    };
    m_selectAll = button("cmdSelectAll", QStringLiteral("&Select All"));
    m_clearAll = button("cmdClearAll", QStringLiteral("C&lear All"));
    m_move = button("cmdMove", QStringLiteral("&Move"));
    m_cancel = button("cmdCancel", QStringLiteral("&Cancel"));
    for (QPushButton* push : {m_selectAll, m_clearAll, m_move})
        push->setEnabled(false);

    connect(m_moveFrom, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            RunCommand(this, [this] { cboMoveFrom_Click(); });
    });
    connect(m_moveTo, &QComboBox::currentIndexChanged, this, &frmMoveLocation::cmdMove_Enable);
    connect(m_selectAll, &QPushButton::clicked, this, [this] { SelectAllItems(true); });
    connect(m_clearAll, &QPushButton::clicked, this, [this] { SelectAllItems(false); });
    connect(m_move, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdMove_Click(); }); });
    connect(m_cancel, &QPushButton::clicked, this, &frmMoveLocation::cmdCancel_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(label("hdgMoveFrom", QStringLiteral("Move items from"), m_moveFrom, this), 0,
                    0);
    grid->addWidget(m_moveFrom, 0, 1);
    grid->addWidget(label("lblItemList", QStringLiteral("Select items to move:"), m_items, this), 1,
                    0, 1, 2);
    grid->addWidget(m_items, 2, 0, 1, 2);
    auto* selection = new QHBoxLayout;
    selection->addWidget(m_selectAll);
    selection->addWidget(m_clearAll);
    selection->addStretch();
    grid->addLayout(selection, 3, 0, 1, 2);
    grid->addWidget(label("hdgMoveTo", QStringLiteral("Move items to"), m_moveTo, this), 4, 0);
    grid->addWidget(m_moveTo, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_move);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
}

void frmMoveLocation::Form_Load() {
    cboMoveFrom_Populate();
}

void frmMoveLocation::cboMoveFrom_Populate() {
    const QString column = QStringLiteral("LocationTX");
    const Recordset rows = gData->Inventory().Item().DistinctFieldValue(column);
    const QSignalBlocker blocker(m_moveFrom);
    m_moveFrom->clear();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString location = rowText(rows, row, "LocationTX");
        // Items filed under no location cannot be chosen by one.
        if (!location.isEmpty())
            m_moveFrom->addItem(location);
    }
    m_moveFrom->setCurrentIndex(-1);
}

void frmMoveLocation::cboMoveTo_Populate() {
    const Recordset rows = gData->Inventory().Item().Location().List();
    const QSignalBlocker blocker(m_moveTo);
    m_moveTo->clear();
    for (int row = 0; row < rows.rowCount(); ++row)
        m_moveTo->addItem(rowText(rows, row, "LocationTX"));
    m_moveTo->setCurrentIndex(-1);
}

void frmMoveLocation::lstItems_Populate() {
    const Recordset rows =
        gData->Inventory().Item().List(m_moveFrom->currentText(), QString(), QString());
    m_items->clear();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString text =
            QStringList{rowText(rows, row, "ManufacturerNM"), rowText(rows, row, "ItemNM"),
                        rowText(rows, row, "ModelSeriesTX")}
                .join(QLatin1Char(' '))
                .trimmed();
        auto* entry = new QListWidgetItem(text, m_items);
        entry->setData(Qt::UserRole, rows.value(row, QStringLiteral("ItemID")));
    }
}

void frmMoveLocation::cboMoveFrom_Click() {
    lstItems_Populate();
    cboMoveTo_Populate();
    cmdMove_Enable();
    m_selectAll->setEnabled(true);
    m_clearAll->setEnabled(true);
}

void frmMoveLocation::cmdMove_Enable() {
    m_move->setEnabled(!m_moveFrom->currentText().isEmpty() && !m_moveTo->currentText().isEmpty());
}

void frmMoveLocation::SelectAllItems(bool selected) {
    for (int row = 0; row < m_items->count(); ++row)
        m_items->item(row)->setSelected(selected);
}

bool frmMoveLocation::refuse(const QString& message, QWidget* control) {
    MsgBox(this, message, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    control->setFocus();
    return false;
}

void frmMoveLocation::cmdMove_Click() {
    if (m_moveFrom->currentText().isEmpty()) {
        refuse(QStringLiteral("Please select the location to move items from."), m_moveFrom);
        return;
    }
    if (m_moveTo->currentText().isEmpty()) {
        refuse(QStringLiteral("Please select the location to move items to."), m_moveTo);
        return;
    }
    QList<qint64> itemIDs;
    for (int row = 0; row < m_items->count(); ++row) {
        if (m_items->item(row)->isSelected())
            itemIDs.append(m_items->item(row)->data(Qt::UserRole).toLongLong());
    }
    if (itemIDs.isEmpty()) {
        refuse(QStringLiteral("You must select one or more items to move."), m_items);
        return;
    }
    gData->Inventory().Item().MoveToLocation(itemIDs, m_moveTo->currentText());
    closeSaved();
}

void frmMoveLocation::cmdCancel_Click() {
    reject();
}
