#include "windows/inventory/frmInventory.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "types/DateText.h"
#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"
#include "windows/inventory/frmInventoryItem.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

using NamedWidgets::button;

const QString AllValues = QStringLiteral("*** All ***");

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

constexpr int Margin = 6;
constexpr int Spacing = 4;

} // namespace

frmInventory::frmInventory(QWidget* parent)
    : ToolWindow(QStringLiteral("frmInventory"), parent) {
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("picToolbar"));
    static_cast<QFrame*>(m_panel)->setFrameShape(QFrame::StyledPanel);
    m_viewByLabel = new QLabel(QStringLiteral("View Inventory Items By:"), m_panel);
    m_viewByLabel->setObjectName(QStringLiteral("lblViewDataBy"));
    m_viewBy = new QComboBox(m_panel);
    m_viewBy->setObjectName(QStringLiteral("cboViewBy"));
    m_viewByLabel->setBuddy(m_viewBy);
    m_values = new QListWidget(m_panel);
    m_values->setObjectName(QStringLiteral("lstViewValues"));
    m_new = button("cmdNew", QStringLiteral("&New Item"), m_panel);
    m_edit = button("cmdEdit", QStringLiteral("&Edit Item"), m_panel);
    m_delete = button("cmdDelete", QStringLiteral("&Delete Item"), m_panel);
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("hdgGrid"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_items = new GridView(this);
    m_items->setObjectName(QStringLiteral("lvwItems"));

    connect(m_viewBy, &QComboBox::currentIndexChanged, this,
            [this] { run(&frmInventory::cboViewBy_Click); });
    connect(m_values, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            run(&frmInventory::lstViewValues_Click);
    });
    connect(m_new, &QPushButton::clicked, this, [this] { run(&frmInventory::cmdNew_Click); });
    connect(m_edit, &QPushButton::clicked, this, [this] { run(&frmInventory::cmdEdit_Click); });
    connect(m_delete, &QPushButton::clicked, this, [this] { run(&frmInventory::cmdDelete_Click); });
    connect(m_items, &GridView::selectedRowChanged, this, &frmInventory::lvwItems_SelectionChanged);
    connect(m_items, &GridView::doubleClicked, this,
            [this] { run(&frmInventory::lvwItems_DblClick); });
}

void frmInventory::run(void (frmInventory::*command)()) {
    RunCommand(this, [this, command] { (this->*command)(); });
}

GridView* frmInventory::grid() {
    return m_items;
}

QString frmInventory::viewByText() const {
    return m_viewBy->currentText();
}

// ---------------------------------------------------------------------------------------------
// Loading and unloading

void frmInventory::Form_Load() {
    gCurrentWindow = formName();
    mainWindow().setWindowTitle(General::GetAppTitle() + QStringLiteral("- Home Inventory"));
    ShowStatus(QString());
    cboViewBy_Populate();
    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_New"), true);
    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_MoveLocation"), true);
    mainWindow().setToolbarButtonEnabled(QStringLiteral("MoveLocation"), true);
}

void frmInventory::Form_Unload() {
    for (const char* name : {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete",
                             "mnuEdit_MoveLocation", "mnuEdit_Copy", "mnuEdit_CopyGrid"})
        mainWindow().setMenuItemEnabled(QLatin1String(name), false);
    // The copy commands would otherwise stay on for a window that has no grid.
    for (const char* key : {"MoveLocation", "CopyItem", "CopyGrid"})
        mainWindow().setToolbarButtonEnabled(QLatin1String(key), false);
    mainWindow().setWindowTitle(General::GetAppTitle());
    gCurrentWindow.clear();
}

void frmInventory::cboViewBy_Populate() {
    {
        const QSignalBlocker blocker(m_viewBy);
        m_viewBy->clear();
        for (const View& view : Views)
            m_viewBy->addItem(QLatin1String(view.caption));
        int index = Settings::integer(SettingKeys::ViewBy, -1);
        // -1 means the first view; so does an index this window does not know.
        if (index < 0 || index >= m_viewBy->count())
            index = 0;
        m_viewBy->setCurrentIndex(index);
    }
    cboViewBy_Click();
}

void frmInventory::cboViewBy_Click() {
    Settings::setInteger(SettingKeys::ViewBy, m_viewBy->currentIndex());
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
    const Recordset rows = gData->Inventory().Item().DistinctFieldValue(column);

    int selected = -1;
    {
        const QSignalBlocker blocker(m_values);
        m_values->clear();
        m_values->addItem(AllValues);
        for (const QVariant& value : rows.columnValues(column)) {
            const QString text = General::NullToDefault(value, General::KindText).toString();
            if (!text.isEmpty())
                m_values->addItem(text);
        }
        if (!rows.isEmpty())
            selected = 0;
        if (setIndex && *setIndex >= 0 && *setIndex < m_values->count())
            selected = *setIndex;
        m_values->setCurrentRow(selected);
    }
    if (selected >= 0)
        lstViewValues_Click();
}

void frmInventory::lstViewValues_Click() {
    lvwItems_Populate();
}

void frmInventory::lvwItems_Populate() {
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    const int row = m_values->currentRow();
    const QString value = row >= 0 ? m_values->item(row)->text() : QString();
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
    FillListView(m_items, gData->Inventory().Item().ListMainGrid(roundPrices, type, location,
                                                                 manufacturer, purchaseDate));

    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_Copy"), false);
    mainWindow().setToolbarButtonEnabled(QStringLiteral("CopyItem"), false);
    const bool hasRows = m_items->rowCount() > 0;
    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_CopyGrid"), hasRows);
    mainWindow().setToolbarButtonEnabled(QStringLiteral("CopyGrid"), hasRows);

    m_heading->setText(QStringLiteral("Items where %1 is '%2'").arg(viewByText(), value));
    ShowStatus(QStringLiteral("There are %1 items for %2 '%3'")
                   .arg(m_items->rowCount())
                   .arg(viewByText(), value));
    lvwItems_SizeColumns();
    m_items->setSortKey(1);
}

void frmInventory::lvwItems_SizeColumns() {
    m_items->setColumnWidthFractions(ColumnWidths);
    m_items->setColumnAlignment(PriceColumn, Qt::AlignRight | Qt::AlignVCenter);
    m_heading->move(m_items->x(), m_heading->y());
}

std::optional<qint64> frmInventory::selectedItemID() const {
    const int row = m_items->selectedRow();
    if (row < 0)
        return std::nullopt;
    bool ok = false;
    const qint64 id = m_items->itemText(row).toLongLong(&ok);
    // The placeholder row "No items found" has no ItemID.
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

void frmInventory::setItemCommandsEnabled(bool enabled) {
    m_edit->setEnabled(enabled);
    m_delete->setEnabled(enabled);
    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_Edit"), enabled);
    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_Delete"), enabled);
}

void frmInventory::endItemCommand() {
    // Edit and Delete wait for the next selection; a row left selected would need another
    // row's click before they came back.
    m_items->clearSelection();
    setItemCommandsEnabled(false);
}

void frmInventory::lvwItems_SelectionChanged(int row) {
    // Edit and Delete stay off for the placeholder row; it can still be copied.
    setItemCommandsEnabled(row >= 0 && selectedItemID().has_value());
    mainWindow().setMenuItemEnabled(QStringLiteral("mnuEdit_Copy"), row >= 0);
    mainWindow().setToolbarButtonEnabled(QStringLiteral("CopyItem"), row >= 0);
}

void frmInventory::lvwItems_DblClick() {
    if (m_items->selectedRow() >= 0)
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
    const int index = m_values->currentRow();
    const QString value = index >= 0 ? m_values->item(index)->text() : QString();
    frmInventoryItem editor(this);
    editor.setFormAction(QStringLiteral("E"));
    editor.setEditItemID(*itemID);
    editor.exec();
    if (!editor.wasCancelled()) {
        lstViewValues_Populate(index);
        // When the edit took the value out of the list (or moved it), the entry now at that
        // index is another value; stay with the same value, or show all items.
        QListWidgetItem* current = m_values->currentItem();
        if (index >= 0 && current && current->text() != value) {
            const auto same = m_values->findItems(value, Qt::MatchExactly);
            m_values->setCurrentRow(same.isEmpty() ? 0 : m_values->row(same.first()));
        }
        lvwItems_Populate();
    }
    endItemCommand();
}

void frmInventory::cmdDelete_Click() {
    const auto itemID = selectedItemID();
    if (!itemID)
        return;
    const QString item =
        m_items->text(m_items->selectedRow(), m_items->columnIndex(QStringLiteral("Item")));
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
// Layout

void frmInventory::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    Form_Resize();
}

void frmInventory::Form_Resize() {
    const int panelWidth = width() / 4;
    m_panel->setGeometry(0, 0, panelWidth, height());

    const int inner = std::max(0, panelWidth - 2 * Margin);
    int top = Margin;
    const int labelHeight = m_viewByLabel->sizeHint().height();
    m_viewByLabel->setGeometry(Margin, top, inner, labelHeight);
    top += labelHeight + Spacing;
    const int comboHeight = m_viewBy->sizeHint().height();
    m_viewBy->setGeometry(Margin, top, inner, comboHeight);
    top += comboHeight + Spacing;

    const int buttonHeight = m_new->sizeHint().height();
    int bottom = height() - Margin - buttonHeight;
    for (QPushButton* push : {m_delete, m_edit, m_new}) {
        push->setGeometry(Margin, bottom, inner, buttonHeight);
        bottom -= buttonHeight + Spacing;
    }
    const int listBottom = bottom + buttonHeight;
    m_values->setGeometry(Margin, top, inner, std::max(0, listBottom - top));

    const int gridLeft = panelWidth + Margin;
    const int gridWidth = std::max(0, width() - gridLeft - Margin);
    const int headingHeight = m_heading->fontMetrics().height() + 2;
    m_heading->setGeometry(gridLeft, Margin, gridWidth, headingHeight);
    const int gridTop = Margin + headingHeight + Spacing;
    m_items->setGeometry(gridLeft, gridTop, gridWidth, std::max(0, height() - gridTop - Margin));
    lvwItems_SizeColumns();
}
