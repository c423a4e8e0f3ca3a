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
// in, whether prices are rounded, the compact and backup reminders, and the reminder of
// warranties that run out soon. It reads the settings
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

    QTabWidget* m_sstOptions;
    QCheckBox* m_chkRequireManufacturer;
    QCheckBox* m_chkRequireModel;
    QCheckBox* m_chkRequirePurchaseLocation;
    QCheckBox* m_chkRequirePurchaseDate;
    QCheckBox* m_chkRequirePurchasePrice;
    QRadioButton* m_optReplacePrice[3];
    QLineEdit* m_txtReplacePercent;
    QCheckBox* m_chkRoundPrices;
    QCheckBox* m_chkCompact;
    UpDown* m_updCompact;
    QCheckBox* m_chkBackup;
    UpDown* m_updBackup;
    QCheckBox* m_chkWarranty;
    UpDown* m_updWarranty;
};
