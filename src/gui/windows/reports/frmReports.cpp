#include "windows/reports/frmReports.h"

#include "app/AppPaths.h"
#include "app/BrowserOpen.h"
#include "app/Clock.h"
#include "app/CommandNames.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "records/Collection.h"
#include "types/DateText.h"
#include "widgets/NamedWidgets.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

using NamedWidgets::button;
using NamedWidgets::control;
using NamedWidgets::label;
using Filter = ReportCatalogue::Filter;
using Kind = ReportCatalogue::Kind;

const QString AllValues = QStringLiteral("*** All ***");
const QString InventoryKind = QStringLiteral("Inventory");
const QColor HoverColour(0, 0, 255);

// The left panel keeps 180 twips free on either side, so the kind combo is 360 twips narrower
// than the panel; the report lists keep 120 twips around their contents.
constexpr int PanelMargin = 180;
constexpr int ListMargin = 120;
constexpr int MarkerSize = 16;

// Control arrays carry their index in the object name ("lblInvReport_3").
QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QDateEdit* datePicker(const char* name, QWidget* parent) {
    auto* picker = control<QDateEdit>(name, parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(DateText::shortDateFormat());
    return picker;
}

// Keeps a control's place in its frame while hidden, so a frame does not change size when its
// filter is switched off.
template <class Widget> Widget* keepPlace(Widget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

// Shows a wait cursor while a report is written, however the writing ends.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

frmReports::frmReports(QWidget* parent)
    : ToolWindow(QStringLiteral("frmReports"), QStringLiteral("- Reports"), parent) {
    m_lists[InventoryPanel].kind = Kind::Inventory;
    m_lists[CollectionPanel].kind = Kind::Collection;

    m_picToolbar = control<QFrame>("picToolbar", this);
    m_picToolbar->setFrameShape(QFrame::StyledPanel);
    m_hdgReport = label("hdgReport", QStringLiteral("Run reports for"), m_picToolbar);
    m_cboReport = control<QComboBox>("cboReport", m_picToolbar);
    m_hdgReport->setBuddy(m_cboReport);
    m_lists[InventoryPanel].picCtrl = buildInventoryFilters();
    m_lists[CollectionPanel].picCtrl = buildCollectionFilter();
    m_cmdRun = button("cmdRun", QStringLiteral("&Run Report"), m_picToolbar);
    m_cmdRun->hide();
    m_cmdRun->setEnabled(false);

    const int margin = Twips::toPixels(PanelMargin);
    auto* layout = new QVBoxLayout(m_picToolbar);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(m_hdgReport);
    layout->addWidget(m_cboReport);
    layout->addSpacing(margin);
    for (const ReportList& list : m_lists) {
        layout->addWidget(list.picCtrl);
        list.picCtrl->hide();
    }
    layout->addWidget(m_cmdRun);
    layout->addStretch();

    buildReportList(InventoryPanel, "hdgInventory", QStringLiteral("Inventory Reports"),
                    "lblInvReport", "imgInvReport");
    buildReportList(CollectionPanel, "hdgCollection", QStringLiteral("Collection Reports"),
                    "lblColReport", "imgColReport");

    connect(m_cboReport, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cboReport_Click();
    });
    for (int index = 0; index < 2; ++index) {
        connect(m_optFilterInv[index], &QRadioButton::clicked, this,
                [this, index] { optFilterInv_Click(index); });
    }
    connect(m_cmdRun, &QPushButton::clicked, this, &frmReports::cmdRun_Click);
}

// ---------------------------------------------------------------------------------------------
// Building the window

void frmReports::buildReportList(Panel panel, const char* headingName, const QString& heading,
                                 const char* labelName, const char* markerName) {
    ReportList& list = m_lists[panel];
    list.reports = ReportCatalogue::ofKind(list.kind);
    list.picReport = control<QFrame>(indexed("picReport", panel), this);
    list.picReport->hide();
    list.heading = label(headingName, heading, list.picReport);
    QFont bold = list.heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    list.heading->setFont(bold);

    const QPixmap marker =
        QIcon(QStringLiteral(":/icons/ReportMarker.svg")).pixmap(MarkerSize, MarkerSize);
    auto* rows = new QGridLayout;
    rows->setColumnMinimumWidth(0, MarkerSize);
    // The captions are as wide as their text, so the mouse is over a report only where its
    // name is.
    rows->setColumnStretch(2, 1);
    for (int index = 0; index < list.reports.size(); ++index) {
        auto* image = control<QLabel>(indexed(markerName, index), list.picReport);
        image->setPixmap(marker);
        keepPlace(image)->hide();
        auto* caption = control<QLabel>(indexed(labelName, index), list.picReport);
        caption->setTextFormat(Qt::PlainText);
        caption->setText(list.reports.at(index)->caption);
        caption->setToolTip(QStringLiteral("Click to select this report"));
        // The inventory reports show a hand over their captions; the collection reports keep
        // the ordinary pointer.
        if (panel == InventoryPanel)
            caption->setCursor(Qt::PointingHandCursor);
        caption->installEventFilter(this);
        rows->addWidget(image, index, 0);
        rows->addWidget(caption, index, 1, Qt::AlignLeft);
        list.markers.append(image);
        list.labels.append(caption);
    }

    list.lblDescription = control<QLabel>(indexed("lblDescription", panel), list.picReport);
    list.lblDescription->setTextFormat(Qt::PlainText);
    list.lblDescription->setWordWrap(true);
    list.lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    list.lblDescription->setFrameShape(QFrame::StyledPanel);
    list.lblDescription->setMargin(Twips::toPixels(ListMargin));

    const int margin = Twips::toPixels(ListMargin);
    auto* layout = new QVBoxLayout(list.picReport);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(list.heading);
    layout->addSpacing(margin);
    layout->addLayout(rows);
    layout->addSpacing(margin);
    // Room for the longest description in a narrow window.
    list.lblDescription->setMinimumHeight(list.lblDescription->fontMetrics().lineSpacing() * 5 +
                                          2 * margin);
    layout->addWidget(list.lblDescription);
    layout->addStretch();
}

QWidget* frmReports::buildInventoryFilters() {
    QWidget* panel = control<QWidget>(indexed("picCtrl", InventoryPanel), m_picToolbar);

    m_fraFilterInv = control<QGroupBox>("fraFilterInv", panel);
    m_fraFilterInv->setTitle(QStringLiteral("Filter Inventory Items"));
    auto* byList = new QVBoxLayout(m_fraFilterInv);
    const QString optionCaptions[2] = {QStringLiteral("by Type"), QStringLiteral("by Location")};
    for (int index = 0; index < 2; ++index) {
        m_optFilterInv[index] =
            keepPlace(control<QRadioButton>(indexed("optFilterInv", index), m_fraFilterInv));
        m_optFilterInv[index]->setText(optionCaptions[index]);
        m_cboFilterInv[index] =
            keepPlace(control<QComboBox>(indexed("cboFilterInv", index), m_fraFilterInv));
        byList->addWidget(m_optFilterInv[index]);
        byList->addWidget(m_cboFilterInv[index]);
    }

    m_fraDateInv = control<QGroupBox>("fraDateInv", panel);
    m_fraDateInv->setTitle(QStringLiteral("Not updated since"));
    m_dtpInv = datePicker("dtpInv", m_fraDateInv);
    (new QVBoxLayout(m_fraDateInv))->addWidget(m_dtpInv);

    m_fraWarrantyInv = control<QGroupBox>("fraWarrantyInv", panel);
    m_fraWarrantyInv->setTitle(QStringLiteral("Filter Warranties"));
    auto* warranties = new QVBoxLayout(m_fraWarrantyInv);
    const QString warrantyCaptions[2] = {QStringLiteral("Active only"),
                                         QStringLiteral("Active and expired")};
    for (int index = 0; index < 2; ++index) {
        m_optWarrantyInv[index] =
            keepPlace(control<QRadioButton>(indexed("optWarrantyInv", index), m_fraWarrantyInv));
        m_optWarrantyInv[index]->setText(warrantyCaptions[index]);
        warranties->addWidget(m_optWarrantyInv[index]);
    }

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_fraFilterInv);
    layout->addWidget(m_fraDateInv);
    layout->addWidget(m_fraWarrantyInv);
    return panel;
}

QWidget* frmReports::buildCollectionFilter() {
    QWidget* panel = control<QWidget>(indexed("picCtrl", CollectionPanel), m_picToolbar);
    m_fraDateCol = control<QGroupBox>("fraDateCol", panel);
    m_fraDateCol->setTitle(QStringLiteral("Not updated since"));
    m_dtpCol = datePicker("dtpCol", m_fraDateCol);
    (new QVBoxLayout(m_fraDateCol))->addWidget(m_dtpCol);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_fraDateCol);
    return panel;
}

// ---------------------------------------------------------------------------------------------
// Loading and layout

void frmReports::Form_Load() {
    frmMain& main = mainWindow();
    ShowStatus(QString());
    main.setMenuItemEnabled(MenuItem::EditCopy, false);
    main.setMenuItemEnabled(MenuItem::EditCopyGrid, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, false);
    m_dtpInv->setDate(Clock::today());
    m_dtpCol->setDate(Clock::today());
    LoadFilterCombo(0);
    LoadFilterCombo(1);
    // The window opens filtering by type, over all types; no filter applies until a report
    // that has one is clicked.
    m_optFilterInv[0]->setChecked(true);
    m_cboFilterInv[0]->setCurrentIndex(0);
    optFilterInv_Click(0);
    m_optWarrantyInv[0]->setChecked(true);
    setTypeLocationFilterEnabled(false);
    setWarrantyFilterEnabled(false);
    setDateFilterEnabled(m_fraDateInv, m_dtpInv, false);
    setDateFilterEnabled(m_fraDateCol, m_dtpCol, false);
    LoadReportKinds();
    Form_Resize();
}

void frmReports::LoadFilterCombo(int index) {
    const QString column = index == 0 ? QStringLiteral("TypeTX") : QStringLiteral("LocationTX");
    QComboBox* combo = m_cboFilterInv[index];
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItem(AllValues);
    const Recordset values = gData->Inventory().Item().DistinctFieldValue(column);
    for (const QVariant& value : values.columnValues(column)) {
        // Items without a type or location are reported under "all"; an empty entry would
        // filter nothing.
        const QString text = General::NullToDefault(value, General::KindText).toString();
        if (!text.isEmpty())
            combo->addItem(text);
    }
    combo->setCurrentIndex(-1);
}

void frmReports::LoadReportKinds() {
    const QSignalBlocker blocker(m_cboReport);
    m_cboReport->clear();
    m_cboReport->addItem(InventoryKind);
    const Recordset collections = gData->Collection().List();
    // The entry shows "Collection - " and the name; the name itself rides along, so that a
    // name with a hyphen or blanks of its own comes back whole.
    for (const QVariant& name : collections.columnValues(QStringLiteral("CollectionNM")))
        m_cboReport->addItem(QStringLiteral("Collection - ") + name.toString(), name);
    m_cboReport->setCurrentIndex(-1);
}

void frmReports::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    Form_Resize();
}

void frmReports::Form_Resize() {
    const int panelWidth = width() / 4;
    m_picToolbar->setGeometry(0, 0, panelWidth, height());
    for (const ReportList& list : m_lists)
        list.picReport->setGeometry(panelWidth, 0, std::max(0, width() - panelWidth), height());
}

// ---------------------------------------------------------------------------------------------
// Choosing the kind and the report

void frmReports::cboReport_Click() {
    const QVariant collection = m_cboReport->currentData();
    if (collection.isValid()) {
        m_selectedCollection = collection.toString();
        m_lists[CollectionPanel].heading->setText(QStringLiteral("Collection Reports for '") +
                                                  m_selectedCollection + QStringLiteral("'"));
        ShowReportPanel(CollectionPanel);
    } else {
        m_selectedCollection.clear();
        ShowReportPanel(InventoryPanel);
    }
}

frmReports::Panel frmReports::shownPanel() const {
    return m_selectedCollection.isEmpty() ? InventoryPanel : CollectionPanel;
}

void frmReports::ShowReportPanel(int index) {
    const ReportList& other = m_lists[1 - index];
    other.picReport->hide();
    other.picCtrl->hide();
    const ReportList& shown = m_lists[index];
    shown.picReport->show();
    shown.picCtrl->show();
    m_cmdRun->show();
    // Run runs the report marked in the list on display, once there is one.
    m_cmdRun->setEnabled(shown.selected >= 0);
    Form_Resize();
}

void frmReports::lblInvReport_Click(int index) {
    selectReport(InventoryPanel, index);
    const Filter filter = m_lists[InventoryPanel].reports.at(index)->filter;
    setTypeLocationFilterEnabled(filter == Filter::TypeOrLocation);
    setWarrantyFilterEnabled(filter == Filter::Warranty);
    setDateFilterEnabled(m_fraDateInv, m_dtpInv, filter == Filter::SinceDate);
}

void frmReports::lblColReport_Click(int index) {
    selectReport(CollectionPanel, index);
    const Filter filter = m_lists[CollectionPanel].reports.at(index)->filter;
    setDateFilterEnabled(m_fraDateCol, m_dtpCol, filter == Filter::SinceDate);
}

void frmReports::selectReport(Panel panel, int index) {
    ReportList& list = m_lists[panel];
    list.selected = index;
    list.lblDescription->setText(list.reports.at(index)->description);
    for (int marker = 0; marker < list.markers.size(); ++marker)
        list.markers.at(marker)->setVisible(marker == index);
    m_cmdRun->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// The filters

void frmReports::setTypeLocationFilterEnabled(bool enabled) {
    m_fraFilterInv->setEnabled(enabled);
    for (int index = 0; index < 2; ++index) {
        m_optFilterInv[index]->setVisible(enabled);
        m_cboFilterInv[index]->setVisible(enabled);
    }
}

void frmReports::setWarrantyFilterEnabled(bool enabled) {
    m_fraWarrantyInv->setEnabled(enabled);
    for (QRadioButton* option : m_optWarrantyInv)
        option->setVisible(enabled);
}

void frmReports::setDateFilterEnabled(QGroupBox* frame, QDateEdit* picker, bool enabled) {
    frame->setEnabled(enabled);
    picker->setEnabled(enabled);
}

void frmReports::optFilterInv_Click(int index) {
    QComboBox* other = m_cboFilterInv[1 - index];
    m_cboFilterInv[index]->setEnabled(true);
    other->setEnabled(false);
    // With no entry chosen its text is empty, so only this combo's choice filters.
    other->setCurrentIndex(-1);
}

ReportRequest frmReports::request() const {
    ReportRequest request;
    request.collection = m_selectedCollection;
    request.typeText = m_cboFilterInv[0]->currentText();
    request.locationText = m_cboFilterInv[1]->currentText();
    request.since = shownPanel() == CollectionPanel ? m_dtpCol->date() : m_dtpInv->date();
    request.includeExpired = m_optWarrantyInv[1]->isChecked();
    return request;
}

// ---------------------------------------------------------------------------------------------
// Running

void frmReports::cmdRun_Click() {
    const ReportList& list = m_lists[shownPanel()];
    if (list.selected < 0 || list.selected >= list.reports.size())
        return;
    const ReportCatalogue::Report& report = *list.reports.at(list.selected);
    QString page;
    RunCommand(this, [&] {
        const WaitCursor wait;
        page = writePage(this, [&] {
            return ReportCatalogue::run(report, *gData, request(),
                                        AppPaths::pageFile(mainWindow().dataFolder()));
        });
    });
    if (!page.isEmpty())
        openInBrowser(this, page);
}

// ---------------------------------------------------------------------------------------------
// The report captions: clicked, and coloured while the mouse is over them

bool frmReports::eventFilter(QObject* watched, QEvent* event) {
    for (const Panel panel : {InventoryPanel, CollectionPanel}) {
        const int index =
            static_cast<int>(m_lists[panel].labels.indexOf(qobject_cast<QLabel*>(watched)));
        if (index < 0)
            continue;
        QLabel* caption = m_lists[panel].labels.at(index);
        switch (event->type()) {
        case QEvent::Enter:
            setHovered(caption, true);
            break;
        case QEvent::Leave:
            setHovered(caption, false);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                caption->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
                if (panel == InventoryPanel)
                    lblInvReport_Click(index);
                else
                    lblColReport_Click(index);
            }
            break;
        default:
            break;
        }
        break;
    }
    return ToolWindow::eventFilter(watched, event);
}

void frmReports::setHovered(QLabel* caption, bool hovered) {
    QPalette colours = caption->palette();
    colours.setColor(QPalette::WindowText,
                     hovered ? HoverColour : palette().color(QPalette::ButtonText));
    caption->setPalette(colours);
}
