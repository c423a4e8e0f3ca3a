#pragma once

#include "app/ListPanelWindow.h"
#include "search/SearchCriteria.h"

#include <array>
#include <optional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

// The search window: on the left where to search (the inventory or one collection), the columns
// to show and up to three criteria rows (field, operator, value) joined by And or Or; on the
// right the items found. The copy commands and the Sort button act on its grid.
class frmSearch : public ListPanelWindow {
    Q_OBJECT
public:
    explicit frmSearch(QWidget* parent = nullptr);

    void Form_Load() override;
    QString sortMessage() const override { return QStringLiteral("Search sort"); }

    void cmdSearch_Click();

protected:
    void layoutPanel(int width, int height) override;

private:
    static constexpr int Rows = SearchCriteria::RowCount;

    void createCriteria();
    void cboSearch_Populate();
    void cboSearch_Click();
    void lstFields_Populate();
    void lstFields_Click();
    void fraCriteria_Populate();
    void cboSearchField_Populate(int row);
    void cboSearchField_Click(int row);
    void ClearCriteriaRow(int row);
    // Shows the first refused row's message and puts the focus on the control at fault; false
    // then.
    bool ValidCriteria(const QList<CriteriaRow>& rows);
    void lvwItems_SizeColumns();
    void lvwItems_SelectionChanged(int row);

    QList<CriteriaRow> criteriaRows() const;
    QStringList chosenColumns() const;

    // Where the lists were last filled for; nothing before the first choice.
    std::optional<SearchTarget> m_target;
    // The check state of the entry a click started on, so that a click on the entry's text
    // ticks it as a click on its box does.
    std::optional<Qt::CheckState> m_pressedState;

    QLabel* m_hdgSearch;
    QComboBox* m_cboSearch;
    QLabel* m_hdgFields;
    QListWidget* m_lstFields;
    QGroupBox* m_fraCriteria;
    std::array<QComboBox*, Rows> m_cboSearchField{};
    std::array<QComboBox*, Rows> m_cboOperator{};
    std::array<QLineEdit*, Rows> m_txtValue{};
    QFrame* m_fraOpt1 = nullptr;
    QFrame* m_fraOpt2 = nullptr;
    std::array<QRadioButton*, 2> m_optBoolean1{};
    std::array<QRadioButton*, 2> m_optBoolean2{};
    QPushButton* m_cmdSearch;
};
