#include "windows/insurance/frmCoverage.h"

#include "app/AppPaths.h"
#include "app/BrowserOpen.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "data/DbError.h"
#include "dialogs/MessageBoxes.h"
#include "insurance/CoverageStore.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportCatalogue.h"
#include "reports/rptCoverageCheck.h"
#include "widgets/NamedWidgets.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor OverColour(0xa0, 0, 0);

QString money(Currency amount) {
    return amount.format(QStringLiteral("$#,##0.00"));
}

// A limit as typed: empty for none; nullopt in `valid` when the text is not an amount of at
// least 0.
std::optional<Currency> limitOf(const QString& text, bool& valid) {
    valid = true;
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto amount = Currency::parse(text, true, 2);
    valid = amount && *amount >= Currency();
    return valid ? amount : std::nullopt;
}

QString limitText(const std::optional<Currency>& limit) {
    return limit ? limit->format(QStringLiteral("#,##0.00")) : QString();
}

QString refusal(const QString& text) {
    return QStringLiteral("'%1' is not an amount. Type the limit in dollars, such as 1,500.00, or "
                          "leave it empty for no limit.")
        .arg(text);
}

} // namespace

frmCoverage::frmCoverage(QWidget* parent)
    : FormDialog(QStringLiteral("frmCoverage"), parent) {
    setWindowTitle(QStringLiteral("Coverage Check"));
    m_txtContentsLimit = NamedWidgets::control<QLineEdit>("txtContentsLimit", this);
    m_txtContentsLimit->setMaximumWidth(160);
    m_grdLimits = NamedWidgets::control<QTableWidget>("grdLimits", this);
    m_grdLimits->setColumnCount(5);
    m_grdLimits->setHorizontalHeaderLabels({QStringLiteral("Item Type"), QStringLiteral("Items"),
                                            QStringLiteral("Value"), QStringLiteral("Sub-limit"),
                                            QStringLiteral("Over Limit By")});
    m_grdLimits->verticalHeader()->hide();
    // Rows as high as a line of text plus room for the editor's frame, so that the whole type
    // list fits in view.
    m_grdLimits->verticalHeader()->setDefaultSectionSize(m_grdLimits->fontMetrics().height() + 8);
    m_grdLimits->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdLimits->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_grdLimits->horizontalHeader()->setSectionResizeMode(TypeColumn, QHeaderView::Stretch);
    for (const int column : {ItemsColumn, ValueColumn, LimitColumn, OverColumn})
        m_grdLimits->horizontalHeader()->setSectionResizeMode(column,
                                                              QHeaderView::ResizeToContents);
    m_grdLimits->setMinimumSize(600, 300);
    m_lblTotal = NamedWidgets::label("lblTotal", QString(), this);
    m_lblTotal->setWordWrap(true);

    connect(m_txtContentsLimit, &QLineEdit::textChanged, this, &frmCoverage::showTotal);
    connect(m_grdLimits, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_filling && column == LimitColumn)
            showLine(row);
    });

    QLabel* contents = NamedWidgets::label("lblContentsLimit",
                                           QStringLiteral("Policy's &contents limit: $"), this);
    contents->setBuddy(m_txtContentsLimit);
    auto* contentsRow = new QHBoxLayout;
    contentsRow->addWidget(contents);
    contentsRow->addWidget(m_txtContentsLimit);
    contentsRow->addStretch();
    QLabel* hint = NamedWidgets::label(
        "lblLimits",
        QStringLiteral("Sub-limits per item type (leave a type's empty when the policy sets "
                       "none). Items count at their replacement price, or their purchase "
                       "price where no replacement price is recorded:"),
        this);
    hint->setWordWrap(true);

    QPushButton* report = NamedWidgets::button("cmdReport", QStringLiteral("&Report"), this);
    report->setAutoDefault(false);
    connect(report, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdReport_Click(); }); });
    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    buttons.ok->setAutoDefault(false);
    buttons.ok->setDefault(false);
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdOK_Click(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this, &frmCoverage::reject);
    buttons.row->insertWidget(0, report);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(contentsRow);
    layout->addWidget(hint);
    layout->addWidget(m_grdLimits, 1);
    layout->addWidget(m_lblTotal);
    layout->addLayout(buttons.row);
    resize(680, 560);
}

void frmCoverage::Form_Load() {
    m_check = CoverageCheck::compute(*gData, true);
    m_lines = m_check.lines();
    m_total = m_check.total();
    m_txtContentsLimit->setText(limitText(m_total.limit));
    grdLimits_Populate();
    showTotal();
}

void frmCoverage::grdLimits_Populate() {
    m_filling = true;
    m_grdLimits->setRowCount(int(m_lines.size()));
    for (int row = 0; row < m_lines.size(); ++row) {
        const CoverageCheck::Line& line = m_lines.at(row);
        const auto cell = [&](int column, const QString& text, bool editable) {
            auto* item = new QTableWidgetItem(text);
            if (!editable)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (column != TypeColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grdLimits->setItem(row, column, item);
        };
        // The items filed under no type have no sub-limit to set.
        cell(TypeColumn,
             line.type.isEmpty() ? QLatin1String(InventoryGrouping::UnknownHeading) : line.type,
             false);
        cell(ItemsColumn, QString::number(line.items), false);
        cell(ValueColumn, money(line.value), false);
        cell(LimitColumn, limitText(line.limit), !line.type.isEmpty());
        cell(OverColumn, QString(), false);
    }
    m_filling = false;
    for (int row = 0; row < m_lines.size(); ++row)
        showLine(row);
}

void frmCoverage::showLine(int row) {
    CoverageCheck::Line& line = m_lines[row];
    bool valid = true;
    line.limit = limitOf(m_grdLimits->item(row, LimitColumn)->text(), valid);
    const QSignalBlocker blocker(m_grdLimits);
    m_grdLimits->item(row, OverColumn)
        ->setText(!valid          ? QStringLiteral("?")
                  : line.isOver() ? money(line.over())
                                  : QString());
    for (int column = 0; column < m_grdLimits->columnCount(); ++column) {
        QTableWidgetItem* item = m_grdLimits->item(row, column);
        QFont font = item->font();
        font.setBold(line.isOver());
        item->setFont(font);
        item->setForeground(line.isOver() ? QBrush(OverColour) : QBrush());
    }
}

void frmCoverage::showTotal() {
    bool valid = true;
    m_total.limit = limitOf(m_txtContentsLimit->text(), valid);
    QString text =
        QStringLiteral("All %1 items are worth %2").arg(m_total.items).arg(money(m_total.value));
    if (!valid)
        text += QStringLiteral(".");
    else if (!m_total.limit)
        text += QStringLiteral("; no contents limit is set.");
    else if (m_total.isOver())
        text += QStringLiteral(", %1 over the contents limit of %2.")
                    .arg(money(m_total.over()), money(*m_total.limit));
    else
        text += QStringLiteral(", within the contents limit of %1.").arg(money(*m_total.limit));
    m_lblTotal->setText(text);
    QPalette palette = m_lblTotal->palette();
    palette.setColor(QPalette::WindowText,
                     m_total.isOver() ? OverColour : this->palette().color(QPalette::WindowText));
    m_lblTotal->setPalette(palette);
}

bool frmCoverage::readLimits() {
    bool valid = true;
    limitOf(m_txtContentsLimit->text(), valid);
    if (!valid) {
        MsgBox(this, refusal(m_txtContentsLimit->text()), QMessageBox::Ok, QMessageBox::Warning,
               windowTitle());
        m_txtContentsLimit->setFocus();
        return false;
    }
    for (int row = 0; row < m_grdLimits->rowCount(); ++row) {
        QTableWidgetItem* item = m_grdLimits->item(row, LimitColumn);
        limitOf(item->text(), valid);
        if (!valid) {
            MsgBox(this, refusal(item->text()), QMessageBox::Ok, QMessageBox::Warning,
                   windowTitle());
            m_grdLimits->setCurrentItem(item);
            m_grdLimits->setFocus();
            return false;
        }
    }
    return true;
}

bool frmCoverage::save() {
    // (A cell being edited gives its text to the list as the button takes the focus.)
    if (!readLimits())
        return false;
    showTotal();
    CoverageStore::Limits limits;
    limits.contents = m_total.limit;
    for (int row = 0; row < m_lines.size(); ++row) {
        showLine(row);
        const CoverageCheck::Line& line = m_lines.at(row);
        if (!line.type.isEmpty() && line.limit)
            limits.byType.insert(line.type, *line.limit);
    }
    CoverageStore(*gData).save(limits);
    markSaved();
    return true;
}

void frmCoverage::cmdOK_Click() {
    if (save())
        closeSaved();
}

void frmCoverage::cmdReport_Click() {
    if (!save())
        return;
    const ReportCatalogue::Report* report = ReportCatalogue::find(
        ReportCatalogue::Kind::Inventory, QLatin1String(rptCoverageCheck::Title));
    const QString page = writePage(this, [&] {
        return ReportCatalogue::run(
            *report, *gData, {},
            AppPaths::pageFile(QFileInfo(gData->PhysicalPath()).absolutePath()));
    });
    if (!page.isEmpty())
        openInBrowser(this, page);
}
