#pragma once

#include "dialogs/FormDialog.h"

class GridView;
class QLabel;
class QPushButton;

// The warranties that run out soon: every item whose warranty ends between today and the days
// ahead chosen under Tools, Options (30 unless changed), with manufacturer, item, model, the
// expiry date and the days left, soonest first. Start-up shows it once a day when there are
// any; Tools, Warranties shows it at any time.
class frmWarranties : public FormDialog {
    Q_OBJECT
public:
    explicit frmWarranties(QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdOK_Click();

private:
    void lvwWarranties_Populate();

    QLabel* m_lblWarranties;
    GridView* m_lvwWarranties;
    QPushButton* m_cmdOK;
};
