#pragma once

#include "dialogs/FormDialog.h"

#include <QVariant>

class AttachmentsPanel;
class OptionalDateEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The item editor: adds a new inventory item (formAction "N") or edits the item editItemID
// (formAction "E"). The caller sets both before exec(), which loads the dialog, and reads
// wasCancelled() afterwards. In add mode Save / New Item stores an item and clears the form for
// the next one, announcing each stored item with itemAdded().
class frmInventoryItem : public FormDialog {
    Q_OBJECT
public:
    explicit frmInventoryItem(QWidget* parent = nullptr);

    QString formAction() const { return m_formAction; }
    void setFormAction(const QString& action) { m_formAction = action; }
    qint64 editItemID() const { return m_editItemID; }
    void setEditItemID(qint64 itemID) { m_editItemID = itemID; }
    // True after Close, false once an item was stored.
    bool wasCancelled() const { return cancelled(); }

    // Fills the lists and, in edit mode, the item's values; exec() runs it first.
    void Form_Load() override;

    void cmdSaveExit_Click();
    void cmdSaveNew_Click();
    void cmdClose_Click();

signals:
    // Save / New Item stored an item and the dialog stays open.
    void itemAdded();

private:
    // A price box with the text LoadItem put in it and the amount that text stands for.
    struct Price {
        QLineEdit* edit = nullptr;
        QString loadedText;
        QVariant loadedAmount;
    };
    enum PriceIndex { PurchasePrice, ReplacementPrice, AppraisalPrice };

    void buildForm();
    void fillLists();
    void LoadItem();
    void ResetForNewItem();
    bool ValidateEntry();
    void SaveItem();
    void chkWarrantyCD_Click(bool checked);
    // Shows why the entry is refused and puts the cursor where the fault is; returns false.
    bool refuse(const QString& message, QWidget* control);
    // What a price box stores: the typed text, or in edit mode the stored amount itself while
    // the box still shows what was loaded (the box shows it rounded to cents, or to whole
    // dollars with the round-prices option).
    QVariant priceValue(PriceIndex index) const;
    // The replacement price of a new item whose box was left empty, by the "Replace Price"
    // option.
    QVariant newReplacementPrice() const;
    QString priceText(PriceIndex index) const;

    QString m_formAction;
    qint64 m_editItemID = 0;
    bool m_requireManufacturer = false;
    bool m_requireModel = false;
    bool m_requirePurchaseLocation = false;
    bool m_requirePurchasePrice = false;
    bool m_requirePurchaseDate = false;

    QLabel* m_hdgManufacturer;
    QComboBox* m_cboManufacturerNM;
    QLineEdit* m_txtItemNM;
    QLabel* m_hdgModelSeries;
    QLineEdit* m_txtModelSeriesTX;
    QLineEdit* m_txtSerialNumberID;
    QComboBox* m_cboTypeTX;
    QComboBox* m_cboLocationTX;
    QLabel* m_hdgPurchaseLocation;
    QComboBox* m_cboPurchaseLocationTX;
    QLabel* m_hdgPurchaseDate;
    OptionalDateEdit* m_dtpPurchaseDT;
    QLabel* m_hdgPurchasePrice;
    Price m_prices[3];
    QCheckBox* m_chkWarrantyCD;
    OptionalDateEdit* m_dtpWarrantyExpireDT;
    QCheckBox* m_chkWarrantyDocumentCD;
    QCheckBox* m_chkReceiptCD;
    QCheckBox* m_chkManualsCD;
    QPlainTextEdit* m_txtCommentsTX;
    AttachmentsPanel* m_attachments;
    QLabel* m_lblLastChangeDT;
    QPushButton* m_cmdSaveExit;
    QPushButton* m_cmdSaveNew;
    QPushButton* m_cmdClose;
};
