#include "windows/collections/frmCollections.h"

#include "app/CommandNames.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "data/DataChanges.h"
#include "dialogs/MessageBoxes.h"
#include "records/Collection.h"
#include "records/CollectionGrid.h"
#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"
#include "widgets/Twips.h"
#include "windows/collections/frmCollectionDefine.h"
#include "windows/collections/frmCollectionDelete.h"
#include "windows/collections/frmCollectionItem.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

using NamedWidgets::button;
using NamedWidgets::control;
using NamedWidgets::label;

// Gaps of the panel's layout, in twips.
constexpr int Margin = 120;
constexpr int ListTop = 360;
constexpr int ButtonRowGap = 360;
constexpr int BottomGap = 240;

// The share of the grid's width each part of a row takes: the item's name, its price, and
// together the user's fields, split evenly.
constexpr double NameShare = 0.25;
constexpr double PriceShare = 0.10;
constexpr int FieldsPercent = 60;
// The Price column shows a price up to this one in full, however narrow its share.
const QString WidestPrice = QStringLiteral("$99,999.99");

int widest(std::initializer_list<const QPushButton*> buttons) {
    int width = 0;
    for (const QPushButton* push : buttons)
        width = std::max(width, push->sizeHint().width());
    return width;
}

} // namespace

frmCollections::frmCollections(QWidget* parent)
    : ListPanelWindow(QStringLiteral("frmCollections"), QStringLiteral("- Collections"), parent) {
    setWindowTitle(QStringLiteral("ItemList"));
    m_hdgCollection = label("hdgCollection", QStringLiteral("Select Collection:"), m_picToolbar);
    m_lstCollection = control<QListWidget>("lstCollection", m_picToolbar);
    m_lstCollection->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cmdNewCollection = button("cmdNewCollection", QStringLiteral("N&ew..."), m_picToolbar);
    m_cmdEditCollection = button("cmdEditCollection", QStringLiteral("E&dit..."), m_picToolbar);
    m_cmdDeleteCollection = button("cmdDeleteCollection", QStringLiteral("Dele&te"), m_picToolbar);
    m_cmdNew = button("cmdNew", QStringLiteral("&New Item"), m_picToolbar);
    m_cmdEdit = button("cmdEdit", QStringLiteral("&Edit Item"), m_picToolbar);
    m_cmdDelete = button("cmdDelete", QStringLiteral("&Delete Item"), m_picToolbar);
    m_hdgGrid->setText(QStringLiteral("Items in collection..."));
    m_hdgGrid->hide();

    connect(m_lstCollection, &QListWidget::itemSelectionChanged, this,
            &frmCollections::lstCollection_Click);
    connect(m_cmdNewCollection, &QPushButton::clicked, this,
            &frmCollections::cmdNewCollection_Click);
    connect(m_cmdEditCollection, &QPushButton::clicked, this,
            &frmCollections::cmdEditCollection_Click);
    connect(m_cmdDeleteCollection, &QPushButton::clicked, this,
            &frmCollections::cmdDeleteCollection_Click);
    connect(m_cmdNew, &QPushButton::clicked, this, &frmCollections::cmdNew_Click);
    connect(m_cmdEdit, &QPushButton::clicked, this, &frmCollections::cmdEdit_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmCollections::cmdDelete_Click);
    connect(m_lvwItems, &GridView::selectedRowChanged, this,
            &frmCollections::lvwItems_SelectionChanged);
    connect(m_lvwItems, &QAbstractItemView::doubleClicked, this,
            &frmCollections::lvwItems_DblClick);
    connect(&DataChanges::instance(), &DataChanges::collectionsChanged, this,
            [this] { RunCommand(this, [this] { collectionsChanged(); }); });
}

// ---------------------------------------------------------------------------------------------
// Loading and layout

void frmCollections::Form_Load() {
    frmMain& main = mainWindow();
    ShowStatus(QString());
    main.setMenuItemEnabled(MenuItem::EditCopy, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    main.setMenuItemEnabled(MenuItem::EditCopyGrid, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, false);
    // Moving items between locations is an inventory command.
    main.setMenuItemVisible(MenuItem::EditMoveLocation, false);
    main.setToolbarButtonEnabled(ToolbarButton::MoveLocation, false);
    setNewItemEnabled(false);
    lstCollection_Populate();
    Form_Resize();
}

void frmCollections::layoutPanel(int width, int height) {
    using Twips::toPixels;
    const int margin = toPixels(Margin);
    const int listLeft = margin;
    const int listTop = toPixels(ListTop);
    const int listWidth = std::max(0, width - toPixels(ListTop));
    const int listRight = listLeft + listWidth;
    m_hdgCollection->setGeometry(listLeft, margin / 2, listWidth, listTop - margin / 2);

    // The item buttons, one above the other, and the collection buttons in one row above
    // them, all flush with the list's right edge.
    const int buttonHeight = m_cmdNew->sizeHint().height();
    const int itemWidth = std::min(listWidth, widest({m_cmdNew, m_cmdEdit, m_cmdDelete}));
    const int deleteTop = height - buttonHeight - toPixels(BottomGap);
    const int editTop = deleteTop - margin - buttonHeight;
    const int newTop = editTop - margin - buttonHeight;
    m_cmdDelete->setGeometry(listRight - itemWidth, deleteTop, itemWidth, buttonHeight);
    m_cmdEdit->setGeometry(listRight - itemWidth, editTop, itemWidth, buttonHeight);
    m_cmdNew->setGeometry(listRight - itemWidth, newTop, itemWidth, buttonHeight);
    const int collectionWidth = std::max(
        0, std::min((listWidth - 2 * margin) / 3,
                    widest({m_cmdNewCollection, m_cmdEditCollection, m_cmdDeleteCollection})));
    const int collectionTop = newTop - buttonHeight - toPixels(ButtonRowGap);
    int left = listRight - collectionWidth;
    for (QPushButton* push : {m_cmdDeleteCollection, m_cmdEditCollection, m_cmdNewCollection}) {
        push->setGeometry(left, collectionTop, collectionWidth, buttonHeight);
        left -= collectionWidth + margin;
    }
    m_lstCollection->setGeometry(listLeft, listTop, listWidth,
                                 std::max(0, collectionTop - margin - listTop));
}

// ---------------------------------------------------------------------------------------------
// The collection list

void frmCollections::lstCollection_Populate() {
    {
        const QSignalBlocker blocker(m_lstCollection);
        m_lstCollection->clear();
        const Recordset collections = gData->Collection().List();
        for (const QVariant& name : collections.columnValues(QStringLiteral("CollectionNM")))
            m_lstCollection->addItem(name.toString());
        m_lstCollection->setCurrentRow(-1);
    }
    setCollectionCommandsEnabled(false);
    setNewItemEnabled(!m_collection.isEmpty() && m_lstCollection->count() > 0);
    clearItemSelection();
}

QString frmCollections::selectedCollection() const {
    const QList<QListWidgetItem*> selected = m_lstCollection->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void frmCollections::lstCollection_Click() {
    const QString name = selectedCollection();
    if (name.isEmpty())
        return;
    m_collection = name;
    lvwItems_Populate();
    setCollectionCommandsEnabled(true);
    setNewItemEnabled(true);
}

void frmCollections::setCollectionCommandsEnabled(bool enabled) {
    m_cmdEditCollection->setEnabled(enabled);
    m_cmdDeleteCollection->setEnabled(enabled);
}

void frmCollections::setNewItemEnabled(bool enabled) {
    m_cmdNew->setEnabled(enabled);
    mainWindow().setMenuItemEnabled(MenuItem::EditNew, enabled);
}

void frmCollections::cmdNewCollection_Click() {
    RunCommand(this, [this] {
        frmCollectionDefine define(this);
        define.setMode(QStringLiteral("N"));
        define.exec();
        if (define.cancelled())
            return;
        lstCollection_Populate();
        ShowStatus(QStringLiteral("New collection added."));
    });
}

void frmCollections::cmdEditCollection_Click() {
    const QString name = selectedCollection();
    if (name.isEmpty())
        return;
    RunCommand(this, [this, &name] {
        frmCollectionDefine define(this);
        define.setMode(QStringLiteral("E"));
        define.setCollectionName(name);
        define.exec();
        if (define.cancelled())
            return;
        // The grid goes on showing the collection, under its new name after a rename.
        if (m_collection.compare(name, Qt::CaseInsensitive) == 0)
            m_collection = define.savedName();
        lstCollection_Populate();
        if (!m_collection.isEmpty())
            lvwItems_Populate();
        ShowStatus(QStringLiteral("Collection '") + define.savedName() +
                   QStringLiteral("' updated."));
    });
}

void frmCollections::cmdDeleteCollection_Click() {
    const QString name = selectedCollection();
    if (name.isEmpty())
        return;
    RunCommand(this, [this, &name] {
        frmCollectionDelete confirm(this);
        confirm.setCollectionName(name);
        confirm.exec();
        if (confirm.cancelled())
            return;
        clearGrid();
        lstCollection_Populate();
        ShowStatus(QStringLiteral("Collection '") + confirm.collectionName() +
                   QStringLiteral("' deleted."));
    });
}

// ---------------------------------------------------------------------------------------------
// The item grid

void frmCollections::lvwItems_Populate() {
    RunCommand(this, [this] {
        if (m_collection.isEmpty()) {
            clearGrid();
            return;
        }
        const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
        FillListView(m_lvwItems,
                     CollectionGrid::gridRows(gData->Collection(), m_collection, roundPrices));
        lvwItems_SizeColumns();
        frmMain& main = mainWindow();
        main.setMenuItemEnabled(MenuItem::EditCopyGrid, true);
        main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, true);
        main.setMenuItemEnabled(MenuItem::EditCopy, false);
        main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
        m_hdgGrid->setText(QStringLiteral("Items in collection '") + m_collection +
                           QStringLiteral("'"));
        ShowStatus(QStringLiteral("There are %1 items for collection '%2'")
                       .arg(m_lvwItems->rowCount())
                       .arg(m_collection));
    });
}

void frmCollections::lvwItems_SizeColumns() {
    const int columns = m_lvwItems->columnCount();
    const int fields = std::max(1, columns - 3);
    const double fieldShare = qRound(double(FieldsPercent) / fields) / 100.0;
    QList<double> fractions = {0.0, NameShare};
    for (int column = 2; column < columns - 1; ++column)
        fractions.append(fieldShare);
    fractions.append(PriceShare);
    m_lvwItems->setColumnWidthFractions(fractions);
    m_lvwItems->setColumnMinimumText(columns - 1, WidestPrice);
    for (int column = 1; column < columns; ++column)
        m_lvwItems->setColumnAlignment(column, column == columns - 1
                                                   ? Qt::AlignRight | Qt::AlignVCenter
                                                   : Qt::AlignLeft | Qt::AlignVCenter);
    m_hdgGrid->show();
}

void frmCollections::clearGrid() {
    m_collection.clear();
    m_lvwItems->gridModel()->clear();
    m_hdgGrid->hide();
    setNewItemEnabled(false);
    frmMain& main = mainWindow();
    main.setMenuItemEnabled(MenuItem::EditCopy, false);
    main.setMenuItemEnabled(MenuItem::EditCopyGrid, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, false);
}

void frmCollections::lvwItems_SelectionChanged(int row) {
    const bool selected = row >= 0;
    m_cmdEdit->setEnabled(selected);
    m_cmdDelete->setEnabled(selected);
    frmMain& main = mainWindow();
    main.setMenuItemEnabled(MenuItem::EditEdit, selected);
    main.setMenuItemEnabled(MenuItem::EditDelete, selected);
    main.setMenuItemEnabled(MenuItem::EditCopy, selected);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, selected);
}

void frmCollections::clearItemSelection() {
    m_lvwItems->clearSelection();
    lvwItems_SelectionChanged(-1);
}

void frmCollections::lvwItems_DblClick() {
    if (m_lvwItems->selectedRow() >= 0)
        cmdEdit_Click();
}

void frmCollections::collectionsChanged() {
    lstCollection_Populate();
    // The grid goes on showing its collection while it exists.
    if (!m_collection.isEmpty() &&
        m_lstCollection->findItems(m_collection, Qt::MatchFixedString).isEmpty())
        clearGrid();
    else
        lvwItems_Populate();
}

qint64 frmCollections::selectedItemID() const {
    const int row = m_lvwItems->selectedRow();
    return row < 0 ? 0 : m_lvwItems->itemText(row).toLongLong();
}

// ---------------------------------------------------------------------------------------------
// Item commands, also reached through the Edit menu

void frmCollections::cmdNew_Click() {
    if (m_collection.isEmpty())
        return;
    RunCommand(this, [this] {
        frmCollectionItem editor(this);
        editor.setMode(QStringLiteral("N"));
        editor.setCollectionName(m_collection);
        connect(&editor, &frmCollectionItem::itemAdded, this, &frmCollections::lvwItems_Populate);
        editor.exec();
        if (!editor.cancelled())
            lvwItems_Populate();
    });
}

void frmCollections::cmdEdit_Click() {
    if (m_collection.isEmpty() || m_lvwItems->selectedRow() < 0)
        return;
    RunCommand(this, [this] {
        frmCollectionItem editor(this);
        editor.setCollectionName(m_collection);
        editor.setMode(QStringLiteral("E"));
        editor.setItemID(selectedItemID());
        editor.exec();
        if (!editor.cancelled())
            lvwItems_Populate();
    });
    clearItemSelection();
}

void frmCollections::cmdDelete_Click() {
    const int row = m_lvwItems->selectedRow();
    if (row < 0)
        return;
    RunCommand(this, [this, row] {
        const QString name = m_lvwItems->subItemText(row, 1);
        if (MsgBox(this,
                   QStringLiteral("Are you sure you want to delete item '") + name +
                       QStringLiteral("'?"),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Question,
                   QStringLiteral("Delete Item")) != QMessageBox::Yes)
            return;
        gData->Collection().Item().Delete(selectedItemID());
        lvwItems_Populate();
    });
    clearItemSelection();
}
