#include "windows/search/frmSearch.h"

#include "app/CommandNames.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "search/SearchQuery.h"
#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

using NamedWidgets::button;
using NamedWidgets::control;
using NamedWidgets::label;

// Entries carry the column they stand for out of sight, as item data.
constexpr int ColumnRole = Qt::UserRole;

// The grid's columns share this part of its width evenly; the ItemID column is hidden.
constexpr double GridShare = 0.95;

// The gaps inside the panel, in pixels.
constexpr int Margin = 6;
constexpr int Spacing = 4;

QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// The "And" (index 0, chosen at first) and "Or" (index 1) choice that joins a row to the rows
// before it.
QFrame* joinChoice(const char* frameName, const char* optionName,
                   std::array<QRadioButton*, 2>& options, QWidget* parent) {
    auto* frame = control<QFrame>(frameName, parent);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString captions[] = {QStringLiteral("And"), QStringLiteral("Or")};
    for (int index = 0; index < 2; ++index) {
        options[index] = new QRadioButton(captions[index], frame);
        options[index]->setObjectName(indexed(optionName, index));
        layout->addWidget(options[index]);
    }
    layout->addStretch();
    options[0]->setChecked(true);
    return frame;
}

} // namespace

frmSearch::frmSearch(QWidget* parent)
    : ListPanelWindow(QStringLiteral("frmSearch"), QStringLiteral("- Search"), parent) {
    m_picToolbar->setFrameShape(QFrame::StyledPanel);
    m_hdgSearch = label("hdgSearch", QStringLiteral("Search"), m_picToolbar);
    m_cboSearch = control<QComboBox>("cboSearch", m_picToolbar);
    m_hdgSearch->setBuddy(m_cboSearch);
    m_hdgFields = label("hdgFields", QStringLiteral("Include fields:"), m_picToolbar);
    m_lstFields = control<QListWidget>("lstFields", m_picToolbar);
    m_hdgFields->setBuddy(m_lstFields);
    m_fraCriteria = control<QGroupBox>("fraCriteria", m_picToolbar);
    m_fraCriteria->setTitle(QStringLiteral("Search Criteria"));
    createCriteria();
    m_cmdSearch = button("cmdSearch", QStringLiteral("&Search"), m_picToolbar);
    m_cmdSearch->setEnabled(false);
    m_fraCriteria->setEnabled(false);
    m_hdgGrid->setText(QStringLiteral("Items matching search criteria"));
    QFont bold = m_hdgGrid->font();
    bold.setBold(true);
    m_hdgGrid->setFont(bold);

    auto* panel = new QVBoxLayout(m_picToolbar);
    panel->setContentsMargins(Margin, Margin, Margin, Margin);
    panel->setSpacing(Spacing);
    for (QWidget* widget : {static_cast<QWidget*>(m_hdgSearch), static_cast<QWidget*>(m_cboSearch),
                            static_cast<QWidget*>(m_hdgFields)})
        panel->addWidget(widget);
    panel->addWidget(m_lstFields, 1);
    panel->addWidget(m_fraCriteria);
    panel->addWidget(m_cmdSearch);

    connect(m_cboSearch, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            RunCommand(this, [this] { cboSearch_Click(); });
    });
    connect(m_lstFields, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { m_pressedState = item->checkState(); });
    connect(m_lstFields, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        // A click on the box has ticked it already; a click on the text ticks it here.
        if (m_pressedState && item->checkState() == *m_pressedState)
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        m_pressedState.reset();
    });
    connect(m_lstFields, &QListWidget::itemChanged, this, [this] { lstFields_Click(); });
    connect(m_cmdSearch, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdSearch_Click(); }); });
    connect(m_lvwItems, &GridView::selectedRowChanged, this, &frmSearch::lvwItems_SelectionChanged);
}

void frmSearch::createCriteria() {
    auto* layout = new QVBoxLayout(m_fraCriteria);
    layout->setSpacing(Spacing);
    for (int row = 0; row < Rows; ++row) {
        if (row == 1)
            layout->addWidget(
                m_fraOpt1 = joinChoice("fraOpt1", "optBoolean1", m_optBoolean1, m_fraCriteria));
        if (row == 2)
            layout->addWidget(
                m_fraOpt2 = joinChoice("fraOpt2", "optBoolean2", m_optBoolean2, m_fraCriteria));
        m_cboSearchField[row] = control<QComboBox>(indexed("cboSearchField", row), m_fraCriteria);
        m_cboOperator[row] = control<QComboBox>(indexed("cboOperator", row), m_fraCriteria);
        m_cboOperator[row]->addItems(SearchCriteria::operators());
        m_cboOperator[row]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_txtValue[row] = control<QLineEdit>(indexed("txtValue", row), m_fraCriteria);
        layout->addWidget(m_cboSearchField[row]);
        auto* line = new QHBoxLayout;
        line->addWidget(m_cboOperator[row]);
        line->addWidget(m_txtValue[row], 1);
        layout->addLayout(line);
        ClearCriteriaRow(row);
        connect(m_cboSearchField[row], &QComboBox::currentIndexChanged, this,
                [this, row] { cboSearchField_Click(row); });
    }
}

void frmSearch::layoutPanel(int, int) {
    // The panel's layout places its controls whenever the panel is resized.
}

// ---------------------------------------------------------------------------------------------
// Loading and choosing where to search

void frmSearch::Form_Load() {
    frmMain& main = mainWindow();
    ShowStatus(QString());
    main.setMenuItemEnabled(MenuItem::EditCopy, false);
    main.setMenuItemEnabled(MenuItem::EditCopyGrid, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, false);
    RunCommand(this, [this] { cboSearch_Populate(); });
}

void frmSearch::cboSearch_Populate() {
    // Filled when the window loads, not at every layout, so that a resize keeps the choice.
    const QSignalBlocker blocker(m_cboSearch);
    const QString chosen = m_cboSearch->currentText();
    m_cboSearch->clear();
    const SearchTarget inventory = SearchTarget::inventory();
    m_cboSearch->addItem(inventory.entryText(), QString());
    const Recordset collections = gData->Collection().List();
    for (const QVariant& name : collections.columnValues(QStringLiteral("CollectionNM")))
        m_cboSearch->addItem(QStringLiteral("Collection - ") + name.toString(), name);
    m_cboSearch->setCurrentIndex(m_cboSearch->findText(chosen));
}

void frmSearch::cboSearch_Click() {
    const QString collection = m_cboSearch->currentData().toString();
    m_target = collection.isEmpty() ? SearchTarget::inventory()
                                    : SearchTarget::collection(*gData, collection);
    lstFields_Populate();
    fraCriteria_Populate();
}

void frmSearch::lstFields_Populate() {
    {
        const QSignalBlocker blocker(m_lstFields);
        m_lstFields->clear();
        for (const SearchColumn& column : m_target->columns()) {
            auto* entry = new QListWidgetItem(column.displayName, m_lstFields);
            entry->setData(ColumnRole, column.column);
            entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
            entry->setCheckState(Qt::Unchecked);
        }
    }
    lstFields_Click();
}

void frmSearch::lstFields_Click() {
    m_cmdSearch->setEnabled(!chosenColumns().isEmpty());
}

void frmSearch::fraCriteria_Populate() {
    for (int row = 0; row < Rows; ++row)
        cboSearchField_Populate(row);
    m_fraCriteria->setEnabled(true);
}

void frmSearch::cboSearchField_Populate(int row) {
    QComboBox* fields = m_cboSearchField[row];
    {
        const QSignalBlocker blocker(fields);
        fields->clear();
        fields->addItem(QString(), QString());
        for (const SearchColumn& column : m_target->criteriaColumns())
            fields->addItem(column.displayName, column.column);
        fields->setCurrentIndex(0);
    }
    fields->setEnabled(true);
    ClearCriteriaRow(row);
}

void frmSearch::cboSearchField_Click(int row) {
    if (m_cboSearchField[row]->currentIndex() <= 0)
        ClearCriteriaRow(row);
}

void frmSearch::ClearCriteriaRow(int row) {
    m_cboOperator[row]->setCurrentIndex(-1);
    m_txtValue[row]->clear();
}

// ---------------------------------------------------------------------------------------------
// Searching

QList<CriteriaRow> frmSearch::criteriaRows() const {
    QList<CriteriaRow> rows;
    for (int row = 0; row < Rows; ++row) {
        CriteriaRow criteria;
        if (m_cboSearchField[row]->currentIndex() > 0)
            criteria.column = m_cboSearchField[row]->currentData(ColumnRole).toString();
        criteria.op = m_cboOperator[row]->currentText();
        criteria.value = m_txtValue[row]->text();
        const std::array<QRadioButton*, 2>* join = row == 1   ? &m_optBoolean1
                                                   : row == 2 ? &m_optBoolean2
                                                              : nullptr;
        if (join && (*join)[1]->isChecked())
            criteria.join = SearchCondition::Join::Or;
        rows.append(criteria);
    }
    return rows;
}

QStringList frmSearch::chosenColumns() const {
    QStringList columns;
    for (int index = 0; index < m_lstFields->count(); ++index) {
        const QListWidgetItem* entry = m_lstFields->item(index);
        if (entry->checkState() == Qt::Checked)
            columns.append(entry->data(ColumnRole).toString());
    }
    return columns;
}

bool frmSearch::ValidCriteria(const QList<CriteriaRow>& rows) {
    const auto refused = SearchCriteria::ValidCriteria(*m_target, rows);
    if (!refused)
        return true;
    MsgBox(this, refused->message, QMessageBox::Ok, QMessageBox::Warning, caption());
    QWidget* atFault = m_txtValue[refused->row];
    if (refused->control == CriteriaError::Control::Field)
        atFault = m_cboSearchField[refused->row];
    else if (refused->control == CriteriaError::Control::Operator)
        atFault = m_cboOperator[refused->row];
    atFault->setFocus();
    return false;
}

void frmSearch::cmdSearch_Click() {
    if (!m_target)
        return;
    const QList<CriteriaRow> rows = criteriaRows();
    if (!ValidCriteria(rows))
        return;
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    RowCursor found = SearchQuery::cursor(*gData, *m_target, chosenColumns(), rows, roundPrices);
    // The rows come in the order the items were added, with the columns chosen this time.
    m_lvwItems->setSortKey(-1);
    FillListView(m_lvwItems, found);

    frmMain& main = mainWindow();
    const bool hasRows = m_lvwItems->rowCount() > 0;
    main.setMenuItemEnabled(MenuItem::EditCopyGrid, hasRows);
    main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, hasRows);
    main.setMenuItemEnabled(MenuItem::EditCopy, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    ShowStatus(QStringLiteral("There are %1 items matching the specified search criteria.")
                   .arg(m_lvwItems->rowCount()));
    lvwItems_SizeColumns();
}

void frmSearch::lvwItems_SizeColumns() {
    const int columns = m_lvwItems->columnCount();
    if (columns < 2)
        return;
    QList<double> fractions(columns, GridShare / (columns - 1));
    fractions[0] = 0;
    m_lvwItems->setColumnWidthFractions(fractions);
}

void frmSearch::lvwItems_SelectionChanged(int row) {
    const bool selected = row >= 0 && m_lvwItems->rowCount() > 0;
    mainWindow().setMenuItemEnabled(MenuItem::EditCopy, selected);
    mainWindow().setToolbarButtonEnabled(ToolbarButton::CopyItem, selected);
}
