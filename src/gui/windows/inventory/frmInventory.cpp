#include "windows/inventory/frmInventory.h"

#include "app/CommandNames.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "records/GridPrefetch.h"
#include "types/DateText.h"
#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"
#include "windows/inventory/ViewValueList.h"
#include "windows/inventory/frmInventoryItem.h"

#include <QComboBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace {

using NamedWidgets::button;
using NamedWidgets::control;
using NamedWidgets::label;

// The views, in the order the view box offers them, with the column each one lists.
struct View {
    const char* caption;
    const char* column;
};
constexpr View Views[] = {
    {"Item Type", "TypeTX"},
    {"Location", "LocationTX"},
    {"Manufacturer", "ManufacturerNM"},
    {"Purchase Date", "PurchaseDT"},
};

// Widths of the grid's columns as shares of its width; the ItemID column is hidden.
const QList<double> ColumnWidths = {0, 0.17, 0.23, 0.15, 0.10, 0.15, 0.15};
constexpr int PriceColumn = 4;
// The Price column shows a price up to this one in full, however narrow its share.
const QString WidestPrice = QStringLiteral("$99,999.99");

// The gaps inside the panel, in pixels.
constexpr int Margin = 6;
constexpr int Spacing = 4;

} // namespace

frmInventory::frmInventory(QWidget* parent)
    : ListPanelWindow(QStringLiteral("frmInventory"), QStringLiteral("- Home Inventory"), parent) {
    m_picToolbar->setFrameShape(QFrame::StyledPanel);
    m_lblViewDataBy =
        label("lblViewDataBy", QStringLiteral("View Inventory Items By:"), m_picToolbar);
    m_cboViewBy = control<QComboBox>("cboViewBy", m_picToolbar);
    m_lblViewDataBy->setBuddy(m_cboViewBy);
    m_lstViewValues = control<QListWidget>("lstViewValues", m_picToolbar);
    m_cmdNew = button("cmdNew", QStringLiteral("&New Item"), m_picToolbar);
    m_cmdEdit = button("cmdEdit", QStringLiteral("&Edit Item"), m_picToolbar);
    m_cmdDelete = button("cmdDelete", QStringLiteral("&Delete Item"), m_picToolbar);
    m_cmdEdit->setEnabled(false);
    m_cmdDelete->setEnabled(false);
    // Several items can be marked in an incident at once.
    m_lvwItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QFont bold = m_hdgGrid->font();
    bold.setBold(true);
    m_hdgGrid->setFont(bold);

    connect(m_cboViewBy, &QComboBox::currentIndexChanged, this,
            [this] { run(&frmInventory::cboViewBy_Click); });
    connect(m_lstViewValues, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            run(&frmInventory::lstViewValues_Click);
    });
    connect(m_cmdNew, &QPushButton::clicked, this, [this] { run(&frmInventory::cmdNew_Click); });
    connect(m_cmdEdit, &QPushButton::clicked, this, [this] { run(&frmInventory::cmdEdit_Click); });
    connect(m_cmdDelete, &QPushButton::clicked, this,
            [this] { run(&frmInventory::cmdDelete_Click); });
    connect(m_lvwItems, &GridView::selectedRowChanged, this,
            &frmInventory::lvwItems_SelectionChanged);
    connect(m_lvwItems, &GridView::doubleClicked, this,
            [this] { run(&frmInventory::lvwItems_DblClick); });

    const DataChanges* changes = &DataChanges::instance();
    connect(changes, &DataChanges::itemsChanged, this,
            [this] { run(&frmInventory::itemsChanged); });
    connect(changes, &DataChanges::listChanged, this,
            [this](DataChanges::List list) { RunCommand(this, [&] { listChanged(list); }); });
}

void frmInventory::run(void (frmInventory::*command)()) {
    RunCommand(this, [this, command] { (this->*command)(); });
}

QString frmInventory::viewByText() const {
    return m_cboViewBy->currentText();
}

// ---------------------------------------------------------------------------------------------
// Loading

void frmInventory::Form_Load() {
    ShowStatus(QString());
    cboViewBy_Populate();
    mainWindow().setMenuItemEnabled(MenuItem::EditNew, true);
    mainWindow().setMenuItemEnabled(MenuItem::EditMoveLocation, true);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::MoveLocation, true);
}

void frmInventory::cboViewBy_Populate() {
    {
        const QSignalBlocker blocker(m_cboViewBy);
        m_cboViewBy->clear();
        for (const View& view : Views)
            m_cboViewBy->addItem(QLatin1String(view.caption));
        const int stored = Settings::integer(SettingKeys::ViewBy, -1);
        // -1 means the first view; so does an index this window does not know.
        const int index = stored < 0 || stored >= m_cboViewBy->count() ? 0 : stored;
        m_cboViewBy->setCurrentIndex(index);
        // The settings file is written only when the view it names changes: an ordinary start
        // writes nothing.
        if (index != stored)
            Settings::setInteger(SettingKeys::ViewBy, index);
    }
    lstViewValues_Populate();
}

void frmInventory::cboViewBy_Click() {
    Settings::setInteger(SettingKeys::ViewBy, m_cboViewBy->currentIndex());
    lstViewValues_Populate();
}

// ---------------------------------------------------------------------------------------------
// The value list and the grid

void frmInventory::lstViewValues_Populate(std::optional<int> setIndex) {
    const QString view = viewByText().toUpper();
    QString column = QLatin1String(Views[0].column);
    for (const View& candidate : Views) {
        if (view == QString::fromLatin1(candidate.caption).toUpper())
            column = QLatin1String(candidate.column);
    }
    int selected = -1;
    {
        const QSignalBlocker blocker(m_lstViewValues);
        if (ViewValueList::fill(m_lstViewValues, gData->Inventory().Item(), column) > 0)
            selected = 0;
        if (setIndex && *setIndex >= 0 && *setIndex < m_lstViewValues->count())
            selected = *setIndex;
        m_lstViewValues->setCurrentRow(selected);
    }
    if (selected >= 0)
        lstViewValues_Click();
}

void frmInventory::lstViewValues_Click() {
    lvwItems_Populate();
}

void frmInventory::lvwItems_Populate() {
    const int row = m_lstViewValues->currentRow();
    if (row < 0) {
        clearGrid();
        return;
    }
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    const QString value = m_lstViewValues->item(row)->text();
    QString type;
    QString location;
    QString manufacturer;
    QDate purchaseDate;
    if (row > 0) {
        const QString view = viewByText().toUpper();
        if (view == QLatin1String("ITEM TYPE"))
            type = value;
        else if (view == QLatin1String("LOCATION"))
            location = value;
        else if (view == QLatin1String("MANUFACTURER"))
            manufacturer = value;
        else if (view == QLatin1String("PURCHASE DATE"))
            purchaseDate = DateText::parseDate(value);
    }
    const invItem& items = gData->Inventory().Item();
    // At start-up the rows may have been read already, while the main window was being built.
    if (std::optional<GridRows> read =
            GridPrefetch::take({roundPrices, type, location, manufacturer, purchaseDate})) {
        m_lvwItems->gridModel()->setRows(std::move(*read));
    } else {
        RowCursor rows =
            items.ListMainGridRows(roundPrices, type, location, manufacturer, purchaseDate);
        FillListView(m_lvwItems, rows);
    }
    // A filter that matches nothing shows why the grid is empty.
    if (m_lvwItems->rowCount() == 0)
        FillListView(m_lvwItems, items.NoItemsFound());

    mainWindow().setMenuItemEnabled(MenuItem::EditCopy, false);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    const bool hasRows = m_lvwItems->rowCount() > 0;
    mainWindow().setMenuItemEnabled(MenuItem::EditCopyGrid, hasRows);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::CopyGrid, hasRows);

    m_hdgGrid->setText(QStringLiteral("Items where %1 is '%2'").arg(viewByText(), value));
    ShowStatus(QStringLiteral("There are %1 items for %2 '%3'")
                   .arg(m_lvwItems->rowCount())
                   .arg(viewByText(), value));
    lvwItems_SizeColumns();
    m_lvwItems->setSortKey(1);
}

void frmInventory::clearGrid() {
    // Without a chosen value (there are no items to choose from) nothing is listed, and no
    // heading or status names a value.
    m_lvwItems->gridModel()->clear();
    m_hdgGrid->clear();
    ShowStatus(QString());
    mainWindow().setMenuItemEnabled(MenuItem::EditCopy, false);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    mainWindow().setMenuItemEnabled(MenuItem::EditCopyGrid, false);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::CopyGrid, false);
}

void frmInventory::lvwItems_SizeColumns() {
    m_lvwItems->setColumnWidthFractions(ColumnWidths);
    m_lvwItems->setColumnMinimumText(PriceColumn, WidestPrice);
    m_lvwItems->setColumnAlignment(PriceColumn, Qt::AlignRight | Qt::AlignVCenter);
}

std::optional<qint64> frmInventory::selectedItemID() const {
    const int row = m_lvwItems->selectedRow();
    if (row < 0)
        return std::nullopt;
    bool ok = false;
    const qint64 id = m_lvwItems->itemText(row).toLongLong(&ok);
    // The placeholder row "No items found" has no ItemID.
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

QList<qint64> frmInventory::selectedItemIDs() const {
    QList<int> rows;
    for (const QModelIndex& index : m_lvwItems->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QList<qint64> ids;
    for (const int row : std::as_const(rows)) {
        bool ok = false;
        const qint64 id = m_lvwItems->itemText(row).toLongLong(&ok);
        if (ok)
            ids.append(id);
    }
    return ids;
}

void frmInventory::setItemCommandsEnabled(bool enabled) {
    m_cmdEdit->setEnabled(enabled);
    m_cmdDelete->setEnabled(enabled);
    mainWindow().setMenuItemEnabled(MenuItem::EditEdit, enabled);
    mainWindow().setMenuItemEnabled(MenuItem::EditDelete, enabled);
}

void frmInventory::endItemCommand() {
    // Edit and Delete wait for the next selection; a row left selected would need another
    // row's click before they came back.
    m_lvwItems->clearSelection();
    setItemCommandsEnabled(false);
}

void frmInventory::lvwItems_SelectionChanged(int row) {
    // Edit and Delete act on one item, and stay off for the placeholder row, which can still be
    // copied; marking items in an incident takes any number of them.
    const QList<qint64> items = selectedItemIDs();
    setItemCommandsEnabled(row >= 0 && selectedItemID().has_value() &&
                           m_lvwItems->selectionModel()->selectedRows().size() == 1);
    mainWindow().setMenuItemEnabled(MenuItem::EditIncident, !items.isEmpty());
    mainWindow().setMenuItemEnabled(MenuItem::EditCopy, row >= 0);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::CopyItem, row >= 0);
}

void frmInventory::lvwItems_DblClick() {
    if (m_lvwItems->selectedRow() >= 0)
        cmdEdit_Click();
}

// ---------------------------------------------------------------------------------------------
// Item commands

void frmInventory::cmdNew_Click() {
    frmInventoryItem editor(this);
    editor.setFormAction(QStringLiteral("N"));
    // Save / New Item stores an item and stays open: the list shows it at once.
    connect(&editor, &frmInventoryItem::itemAdded, this, [this] {
        lvwItems_Populate();
        lstViewValues_Populate();
    });
    editor.exec();
    if (!editor.wasCancelled()) {
        lstViewValues_Populate();
        lvwItems_Populate();
    }
}

void frmInventory::cmdEdit_Click() {
    const auto itemID = selectedItemID();
    if (!itemID)
        return;
    const int index = m_lstViewValues->currentRow();
    const QString value = index >= 0 ? m_lstViewValues->item(index)->text() : QString();
    frmInventoryItem editor(this);
    editor.setFormAction(QStringLiteral("E"));
    editor.setEditItemID(*itemID);
    editor.exec();
    if (!editor.wasCancelled()) {
        lstViewValues_Populate(index);
        // When the edit took the value out of the list (or moved it), the entry now at that
        // index is another value; stay with the same value, or show all items.
        QListWidgetItem* current = m_lstViewValues->currentItem();
        if (index >= 0 && current && current->text() != value) {
            const auto same = m_lstViewValues->findItems(value, Qt::MatchExactly);
            m_lstViewValues->setCurrentRow(same.isEmpty() ? 0 : m_lstViewValues->row(same.first()));
        }
        lvwItems_Populate();
    }
    endItemCommand();
}

void frmInventory::cmdDelete_Click() {
    const auto itemID = selectedItemID();
    if (!itemID)
        return;
    const QString item = m_lvwItems->text(m_lvwItems->selectedRow(),
                                          m_lvwItems->columnIndex(QStringLiteral("Item")));
    const auto answer = MsgBox(
        this, QStringLiteral("Are you sure you want to delete item '%1'?").arg(item),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QStringLiteral("Delete Item"));
    if (answer == QMessageBox::Yes) {
        gData->Inventory().Item().Delete(*itemID);
        lstViewValues_Populate();
        lvwItems_Populate();
    }
    endItemCommand();
}

// ---------------------------------------------------------------------------------------------
// Changes made elsewhere

void frmInventory::itemsChanged() {
    // Moved items may take their value out of the list, or bring a new one.
    lstViewValues_Populate();
    lvwItems_Populate();
}

void frmInventory::listChanged(DataChanges::List list) {
    const QString view = list == DataChanges::List::ItemTypes ? QStringLiteral("Item Type")
                                                              : QStringLiteral("Location");
    if (viewByText() == view)
        lstViewValues_Populate();
    else
        // Every row shows its type and location, so a renamed entry must show there too.
        lvwItems_Populate();
}

// ---------------------------------------------------------------------------------------------
// Layout

void frmInventory::layoutPanel(int width, int height) {
    const int inner = std::max(0, width - 2 * Margin);
    int top = Margin;
    const int labelHeight = m_lblViewDataBy->sizeHint().height();
    m_lblViewDataBy->setGeometry(Margin, top, inner, labelHeight);
    top += labelHeight + Spacing;
    const int comboHeight = m_cboViewBy->sizeHint().height();
    m_cboViewBy->setGeometry(Margin, top, inner, comboHeight);
    top += comboHeight + Spacing;

    // The buttons stand at the panel's foot, Delete lowest; the values fill the space above.
    const int buttonHeight = m_cmdNew->sizeHint().height();
    int bottom = height - Margin - buttonHeight;
    for (QPushButton* push : {m_cmdDelete, m_cmdEdit, m_cmdNew}) {
        push->setGeometry(Margin, bottom, inner, buttonHeight);
        bottom -= buttonHeight + Spacing;
    }
    const int listBottom = bottom + buttonHeight;
    m_lstViewValues->setGeometry(Margin, top, inner, std::max(0, listBottom - top));
}
