#pragma once

#include "app/ToolWindow.h"

class GridView;
class QFrame;
class QLabel;

// A tool window that browses: on the left the panel picToolbar, a quarter of the window's width
// and its full height, with the window's choice list and buttons; on the right the heading
// hdgGrid over the grid lvwItems, which fill the rest. The inventory, collections and search
// windows are built on it.
//
// The base creates the three controls, makes lvwItems the grid the copy commands act on, and
// places the panel, the heading and the grid whenever the window is resized (guarded, so that a
// resize caused by its own moves is ignored); the window places the controls inside its panel
// in layoutPanel. Column widths are the window's, given to the grid as fractions, which the grid
// applies again at every resize.
class ListPanelWindow : public ToolWindow {
    Q_OBJECT
public:
    void Form_Resize() final;

protected:
    ListPanelWindow(const QString& formName, const QString& subject, QWidget* parent);

    // Places the panel's own controls in a panel of this size.
    virtual void layoutPanel(int width, int height) = 0;

    void resizeEvent(QResizeEvent* event) override;

    QFrame* m_picToolbar;
    QLabel* m_hdgGrid;
    GridView* m_lvwItems;

private:
    bool m_resizing = false;
};
