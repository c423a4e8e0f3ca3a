#include "app/ListPanelWindow.h"

#include "widgets/GridView.h"
#include "widgets/NamedWidgets.h"
#include "widgets/Twips.h"

#include <QFrame>
#include <QLabel>

namespace {

// Where the heading and the grid stand, in twips: the gap around the grid, and the grid's top,
// under the heading.
constexpr int Margin = 120;
constexpr int GridTop = 360;

} // namespace

ListPanelWindow::ListPanelWindow(const QString& formName, const QString& subject, QWidget* parent)
    : ToolWindow(formName, subject, parent) {
    m_picToolbar = NamedWidgets::control<QFrame>("picToolbar", this);
    m_hdgGrid = NamedWidgets::label("hdgGrid", QString(), this);
    m_lvwItems = NamedWidgets::control<GridView>("lvwItems", this);
    setGrid(m_lvwItems);
}

void ListPanelWindow::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    Form_Resize();
}

void ListPanelWindow::Form_Resize() {
    if (m_resizing)
        return;
    m_resizing = true;
    using Twips::toPixels;
    const int panelWidth = width() / 4;
    m_picToolbar->setGeometry(0, 0, panelWidth, height());
    layoutPanel(panelWidth, height());

    const int margin = toPixels(Margin);
    const int gridTop = toPixels(GridTop);
    const int gridLeft = panelWidth + margin;
    const int gridWidth = std::max(0, width() - gridLeft - margin);
    m_hdgGrid->setGeometry(gridLeft, margin / 2, gridWidth, gridTop - margin / 2);
    m_lvwItems->setGeometry(gridLeft, gridTop, gridWidth, std::max(0, height() - gridTop - margin));
    m_resizing = false;
}
