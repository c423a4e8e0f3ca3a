#pragma once

#include "dialogs/FormDialog.h"
#include "insurance/CoverageCheck.h"

#include <optional>

class QLabel;
class QLineEdit;
class QTableWidget;

// The policy's limits against what the home holds: the contents limit, and per item type the
// items, their value (replacement price, or purchase price where none is recorded), the type's
// sub-limit, which the user types into the list, and how far the value goes beyond it; a type
// over its limit stands out at once. OK keeps the limits; Report keeps them too and shows the
// "Coverage Check" page in the browser.
class frmCoverage : public FormDialog {
    Q_OBJECT
public:
    explicit frmCoverage(QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdOK_Click();
    void cmdReport_Click();

    // The list's columns.
    enum Column { TypeColumn, ItemsColumn, ValueColumn, LimitColumn, OverColumn };

private:
    void grdLimits_Populate();
    void showLine(int row);
    void showTotal();
    // Reads the limits typed; refuses (with a message, the focus on the place) the first text
    // that is not an amount. Returns false then.
    bool readLimits();
    bool save();

    CoverageCheck m_check;
    QList<CoverageCheck::Line> m_lines;
    CoverageCheck::Line m_total;
    bool m_filling = false;
    QLineEdit* m_txtContentsLimit;
    QTableWidget* m_grdLimits;
    QLabel* m_lblTotal;
};
