#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class UpDown;

// The Options window: which item fields are required, how an empty replacement price is filled
// in, whether prices are rounded, and the compact and backup reminders. It reads the settings
// store when it opens and writes only on OK.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();
    void optReplacePrice_Click(int index);
    int selectedReplacePrice() const;

    QTabWidget* m_tabs;
    QCheckBox* m_requireManufacturer;
    QCheckBox* m_requireModel;
    QCheckBox* m_requirePurchaseLocation;
    QCheckBox* m_requirePurchaseDate;
    QCheckBox* m_requirePurchasePrice;
    QRadioButton* m_replacePrice[3];
    QLineEdit* m_replacePercent;
    QCheckBox* m_roundPrices;
    QCheckBox* m_compact;
    UpDown* m_compactDays;
    QCheckBox* m_backup;
    UpDown* m_backupDays;
};
