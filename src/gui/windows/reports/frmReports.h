#pragma once

#include "app/ToolWindow.h"
#include "reports/ReportCatalogue.h"

#include <QList>

class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The reports tool window. On the left the user chooses what to report on (the inventory or one
// collection), sets the filter of the chosen report and runs it; on the right the reports of
// that kind are listed, each with a description, the chosen one marked. Running writes the
// report page into the data folder and opens it in the web browser.
//
// Each list remembers the report last clicked in it, and Run runs the marked report of the list
// on display; until one is clicked there, Run stays disabled.
class frmReports : public ToolWindow {
    Q_OBJECT
public:
    explicit frmReports(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Resize() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The two report lists: 0 the inventory reports, 1 those of the chosen collection.
    enum Panel { InventoryPanel = 0, CollectionPanel = 1 };
    struct ReportList {
        ReportCatalogue::Kind kind;
        QList<const ReportCatalogue::Report*> reports;
        QFrame* picReport = nullptr;
        QLabel* heading = nullptr;
        QList<QLabel*> labels;
        QList<QLabel*> markers;
        QLabel* lblDescription = nullptr;
        // The filters of this kind of report, on the left.
        QWidget* picCtrl = nullptr;
        // The report last clicked in this list, or -1.
        int selected = -1;
    };

    void buildReportList(Panel panel, const char* headingName, const QString& heading,
                         const char* labelName, const char* markerName);
    QWidget* buildInventoryFilters();
    QWidget* buildCollectionFilter();

    void LoadFilterCombo(int index);
    void LoadReportKinds();
    void cboReport_Click();
    void ShowReportPanel(int index);
    void lblInvReport_Click(int index);
    void lblColReport_Click(int index);
    void selectReport(Panel panel, int index);
    void optFilterInv_Click(int index);
    void cmdRun_Click();

    void setTypeLocationFilterEnabled(bool enabled);
    void setWarrantyFilterEnabled(bool enabled);
    void setDateFilterEnabled(QGroupBox* frame, QDateEdit* picker, bool enabled);
    void setHovered(QLabel* label, bool hovered);
    // What the filters on display say, for the report about to run.
    ReportRequest request() const;
    Panel shownPanel() const;

    // The collection chosen in the kind combo; "" for the inventory.
    QString m_selectedCollection;
    ReportList m_lists[2];

    QFrame* m_picToolbar;
    QLabel* m_hdgReport;
    QComboBox* m_cboReport;
    QGroupBox* m_fraFilterInv;
    QRadioButton* m_optFilterInv[2];
    QComboBox* m_cboFilterInv[2];
    QGroupBox* m_fraDateInv;
    QDateEdit* m_dtpInv;
    QGroupBox* m_fraWarrantyInv;
    QRadioButton* m_optWarrantyInv[2];
    QGroupBox* m_fraDateCol;
    QDateEdit* m_dtpCol;
    QPushButton* m_cmdRun;
};
