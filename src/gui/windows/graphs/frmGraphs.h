#pragma once

#include "app/ToolWindow.h"
#include "graphs/GraphList.h"

#include <QList>

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QWebEngineView;

// The graphs tool window: on the left the choice of what to graph (the inventory or the
// collections) and the graphs of that kind; on the right the page view webGraph, which shows the
// chart that Run draws into the page file. Publish hands the same page to the default web
// browser. The window has no grid and no item commands.
class frmGraphs : public ToolWindow {
    Q_OBJECT
public:
    explicit frmGraphs(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Resize() override;

    // The page file the last Run wrote, "" before the first.
    QString graphPagePath() const { return m_graphPagePath; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void webGraph_Prepare();
    void webGraph_Failed();
    void cboWhatToGraph_Click(int index);
    void LoadGraphList(GraphList::Kind kind);
    void lstGraph_Click();
    void cmdRun_Click();
    void cmdPublish_Click();
    // Draws the graph into the page file; "" when that failed (the user has been told).
    QString drawGraph(const GraphEntry& graph);

    QString m_graphPagePath;
    // The graphs lstGraph lists, in its order, and the kind entry they belong to.
    QList<GraphEntry> m_graphs;
    int m_listedKind = -1;
    bool m_failureShown = false;

    QFrame* m_picToolbar;
    QLabel* m_hdgWhatToGraph;
    QComboBox* m_cboWhatToGraph;
    QLabel* m_hdgGraphs;
    QListWidget* m_lstGraph;
    QPushButton* m_cmdRun;
    QPushButton* m_cmdPublish;
    QWebEngineView* m_webGraph;
};
