#include "windows/graphs/frmGraphs.h"

#include "app/BrowserOpen.h"
#include "app/CommandNames.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "graphs/gphGeneral.h"
#include "widgets/NamedWidgets.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <stdexcept>

namespace {

using NamedWidgets::button;
using NamedWidgets::control;
using NamedWidgets::label;

// The panel's geometry, in twips: the gap at its left and top, the height of a heading, how
// much narrower than the panel the combo and the list are, and how far the buttons stand from
// its right edge.
constexpr int Margin = 120;
constexpr int HeadingHeight = 300;
constexpr int ListInset = 360;
constexpr int ButtonInset = 240;

// What the kind combo offers, in the order of GraphList::Kind.
const GraphList::Kind Kinds[] = {GraphList::Kind::Inventory, GraphList::Kind::Collections};

// Graphs are drawn from the page's HTML alone; with scripts off a page can neither run a script
// nor raise a script error dialog.
void makeSilent(QWebEngineView* view) {
    QWebEngineSettings* settings = view->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
}

} // namespace

frmGraphs::frmGraphs(QWidget* parent)
    : ToolWindow(QStringLiteral("frmGraphs"), QStringLiteral("- Graphs"), parent) {
    m_picToolbar = control<QFrame>("picToolbar", this);
    m_picToolbar->setFrameShape(QFrame::StyledPanel);
    m_hdgWhatToGraph =
        label("hdgWhatToGraph", QStringLiteral("Select what to graph"), m_picToolbar);
    m_cboWhatToGraph = control<QComboBox>("cboWhatToGraph", m_picToolbar);
    m_cboWhatToGraph->addItems({QStringLiteral("Inventory"), QStringLiteral("Collections")});
    m_cboWhatToGraph->setCurrentIndex(-1);
    m_hdgWhatToGraph->setBuddy(m_cboWhatToGraph);
    m_hdgGraphs = label("hdgGraphs", QStringLiteral("Select graph"), m_picToolbar);
    m_lstGraph = control<QListWidget>("lstGraph", m_picToolbar);
    m_lstGraph->setSelectionMode(QAbstractItemView::SingleSelection);
    m_hdgGraphs->setBuddy(m_lstGraph);
    m_cmdRun = button("cmdRun", QStringLiteral("&Run"), m_picToolbar);
    m_cmdRun->setEnabled(false);
    m_cmdPublish = button("cmdPublish", QStringLiteral("&Publish"), m_picToolbar);
    m_cmdPublish->hide();
    m_webGraph = control<QWebEngineView>("webGraph", this);

    connect(m_cboWhatToGraph, &QComboBox::activated, this, &frmGraphs::cboWhatToGraph_Click);
    connect(m_lstGraph, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstGraph_Click();
    });
    connect(m_cmdRun, &QPushButton::clicked, this, &frmGraphs::cmdRun_Click);
    connect(m_cmdPublish, &QPushButton::clicked, this, &frmGraphs::cmdPublish_Click);
    connect(m_webGraph, &QWebEngineView::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    webGraph_Failed();
            });
}

// ---------------------------------------------------------------------------------------------
// Loading and layout

void frmGraphs::Form_Load() {
    frmMain& main = mainWindow();
    main.setMenuItemEnabled(MenuItem::EditCopy, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyItem, false);
    main.setMenuItemEnabled(MenuItem::EditCopyGrid, false);
    main.setToolbarButtonEnabled(ToolbarButton::CopyGrid, false);
    webGraph_Prepare();
    Form_Resize();
}

void frmGraphs::webGraph_Prepare() {
    makeSilent(m_webGraph);
    m_webGraph->setUrl(QUrl(QStringLiteral("about:blank")));
    m_webGraph->setEnabled(false);
}

// The page view fails by losing its page process (Chromium's renderer would not start, or died):
// graphs cannot be shown here, which the user hears once.
void frmGraphs::webGraph_Failed() {
    if (m_failureShown)
        return;
    m_failureShown = true;
    MsgBox(this,
           QStringLiteral("An error occurred loading the graph control.  \r\n"
                          "You need Microsoft Internet Explorer 4.0 or higher to use the graphs."),
           QMessageBox::Ok, QMessageBox::Critical, General::GetAppTitle());
}

void frmGraphs::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    Form_Resize();
}

void frmGraphs::Form_Resize() {
    using Twips::toPixels;
    const int panelWidth = width() / 4;
    m_picToolbar->setGeometry(0, 0, panelWidth, height());
    m_webGraph->setGeometry(panelWidth, 0, std::max(0, width() - panelWidth), height());

    const int left = toPixels(Margin);
    const int innerWidth = std::max(0, panelWidth - toPixels(ListInset));
    const int headingHeight = toPixels(HeadingHeight);
    const int comboHeight = m_cboWhatToGraph->sizeHint().height();
    int top = left;
    m_hdgWhatToGraph->setGeometry(left, top, innerWidth, headingHeight);
    top += headingHeight;
    m_cboWhatToGraph->setGeometry(left, top, innerWidth, comboHeight);
    top += comboHeight + left;
    m_hdgGraphs->setGeometry(left, top, innerWidth, headingHeight);
    top += headingHeight;

    // Run and Publish, one above the other, at the foot of the panel.
    const int buttonWidth =
        std::max(m_cmdRun->sizeHint().width(), m_cmdPublish->sizeHint().width());
    const int buttonHeight = m_cmdRun->sizeHint().height();
    const int buttonLeft = std::max(0, panelWidth - toPixels(ButtonInset) - buttonWidth);
    const int publishTop = height() - left - buttonHeight;
    const int runTop = publishTop - left / 2 - buttonHeight;
    m_cmdRun->setGeometry(buttonLeft, runTop, buttonWidth, buttonHeight);
    m_cmdPublish->setGeometry(buttonLeft, publishTop, buttonWidth, buttonHeight);
    m_lstGraph->setGeometry(left, top, innerWidth, std::max(0, runTop - left - top));
}

// ---------------------------------------------------------------------------------------------
// Choosing a graph

void frmGraphs::cboWhatToGraph_Click(int index) {
    if (index < 0)
        return;
    const GraphList::Kind kind = Kinds[index];
    RunCommand(this, [this, kind, index] {
        const QString refusal = GraphList::CannotGraphMessage(*gData, kind);
        if (!refusal.isEmpty()) {
            MsgBox(this, refusal, QMessageBox::Ok, QMessageBox::Warning);
            // The list stays as it was, and so does the kind it lists.
            const QSignalBlocker blocker(m_cboWhatToGraph);
            m_cboWhatToGraph->setCurrentIndex(m_listedKind);
            return;
        }
        LoadGraphList(kind);
        m_listedKind = index;
    });
}

void frmGraphs::LoadGraphList(GraphList::Kind kind) {
    m_graphs = GraphList::LoadGraphList(*gData, kind);
    const QSignalBlocker blocker(m_lstGraph);
    m_lstGraph->clear();
    for (const GraphEntry& graph : m_graphs) {
        auto* item = new QListWidgetItem(graph.text, m_lstGraph);
        // Field graphs' entries are long; the whole text shows where the list cuts it off.
        item->setToolTip(graph.text);
        if (graph.routine == GraphEntry::Routine::FieldGraph)
            item->setData(Qt::UserRole, graph.fieldID);
    }
    m_lstGraph->setCurrentRow(-1);
    // A graph of the new list has to be chosen before Run draws one.
    m_cmdRun->setEnabled(false);
}

void frmGraphs::lstGraph_Click() {
    m_cmdRun->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Drawing and publishing

void frmGraphs::cmdRun_Click() {
    const int row = m_lstGraph->currentRow();
    if (row < 0 || row >= m_graphs.size())
        return;
    const QString path = drawGraph(m_graphs.at(row));
    if (path.isEmpty())
        return;
    m_graphPagePath = path;
    m_webGraph->setUrl(QUrl::fromLocalFile(m_graphPagePath));
    m_webGraph->setEnabled(true);
    m_cmdPublish->show();
}

QString frmGraphs::drawGraph(const GraphEntry& graph) {
    QString path;
    try {
        RunCommand(this, [this, &graph, &path] {
            const Graph drawn = graph.draw(*gData);
            path =
                gphGeneral::WriteGraphPage(drawn.chart, drawn.caption, mainWindow().dataFolder());
        });
    } catch (const std::runtime_error& error) {
        // The page file could not be written; the page on disk is still the one before.
        MsgBox(this, QString::fromLocal8Bit(error.what()), QMessageBox::Ok, QMessageBox::Critical,
               General::GetAppTitle());
        path.clear();
    }
    return path;
}

void frmGraphs::cmdPublish_Click() {
    if (!m_graphPagePath.isEmpty())
        openInBrowser(this, m_graphPagePath);
}
