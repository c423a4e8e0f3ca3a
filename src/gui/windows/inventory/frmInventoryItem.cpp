#include "windows/inventory/frmInventoryItem.h"

#include "app/Clock.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "types/DateText.h"
#include "widgets/ComboHelpers.h"
#include "widgets/NamedWidgets.h"
#include "widgets/OptionalDateEdit.h"

#include "widgets/AttachmentsPanel.h"
#include <QCheckBox>
#include <QComboBox>

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using NamedWidgets::checkBox;
using NamedWidgets::control;
using NamedWidgets::label;

// Widths of the item columns that the form does not check itself.
constexpr int ItemNameLength = 50;
constexpr int ModelLength = 30;
constexpr int SerialNumberLength = 50;
constexpr int ManufacturerLength = 30;
constexpr int PurchaseLocationLength = 255;

QComboBox* comboBox(const char* name, bool editable, QWidget* parent) {
    auto* combo = control<QComboBox>(name, parent);
    // Long purchase places must not widen the dialog.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(18);
    if (editable)
        EnableTypeAhead(combo);
    return combo;
}

QLineEdit* lineEdit(const char* name, int maxLength, QWidget* parent) {
    auto* edit = control<QLineEdit>(name, parent);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* push = NamedWidgets::button(name, caption, parent);
    // Enter in a field must not store the item behind the user's back.
    push->setAutoDefault(false);
    return push;
}

void setBold(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

// Shows a stored text in a combo box: the entry of that text, else the entry that differs only
// in case (names compare that way in the database), else, in an editable box, the text itself,
// so that a value is never lost because the list spells it otherwise.
void showStoredText(QComboBox* combo, const QString& text) {
    SelectComboItem(combo, text);
    if (combo->currentText() == text)
        return;
    const int index = combo->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else if (combo->isEditable())
        combo->setEditText(text);
}

void clearCombo(QComboBox* combo) {
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(QString());
}

// An item without a manufacturer or purchase place gives an empty entry; it is not offered.
void fillCombo(QComboBox* combo, const Recordset& rows, const QString& column) {
    FillCombo(combo, rows, column);
    const int empty = combo->findText(QString(), Qt::MatchExactly);
    if (empty >= 0)
        combo->removeItem(empty);
    clearCombo(combo);
}

} // namespace

frmInventoryItem::frmInventoryItem(QWidget* parent)
    : FormDialog(QStringLiteral("frmInventoryItem"), parent) {
    buildForm();
    chkWarrantyCD_Click(false);
    m_lblLastChangeDT->hide();
}

void frmInventoryItem::buildForm() {
    m_hdgManufacturer = label("hdgManufacturer", QStringLiteral("Manufacturer"), this);
    m_cboManufacturerNM = comboBox("cboManufacturerNM", true, this);
    auto* hdgItemName = label("hdgItemName", QStringLiteral("Item Name"), this);
    m_txtItemNM = lineEdit("txtItemNM", ItemNameLength, this);
    m_hdgModelSeries = label("hdgModelSeries", QStringLiteral("Model / Series"), this);
    m_txtModelSeriesTX = lineEdit("txtModelSeriesTX", ModelLength, this);
    auto* hdgSerial = label("hdgSerialNumber", QStringLiteral("Serial Number"), this);
    m_txtSerialNumberID = lineEdit("txtSerialNumberID", SerialNumberLength, this);
    auto* hdgType = label("hdgItemType", QStringLiteral("Item Type"), this);
    m_cboTypeTX = comboBox("cboTypeTX", false, this);
    auto* hdgLocation = label("hdgLocation", QStringLiteral("Current Location"), this);
    m_cboLocationTX = comboBox("cboLocationTX", false, this);
    m_hdgPurchaseLocation = label("hdgPurchaseLocation", QStringLiteral("Purchased At"), this);
    m_cboPurchaseLocationTX = comboBox("cboPurchaseLocationTX", true, this);
    m_hdgPurchaseDate = label("hdgPurchaseDate", QStringLiteral("Purchase Date"), this);
    m_dtpPurchaseDT = control<OptionalDateEdit>("dtpPurchaseDT", this);

    auto* fields = new QGridLayout;
    const auto addField = [fields](int row, int column, QLabel* label, QWidget* field) {
        label->setBuddy(field);
        fields->addWidget(label, row, column * 2);
        fields->addWidget(field, row, column * 2 + 1);
    };
    addField(0, 0, m_hdgManufacturer, m_cboManufacturerNM);
    addField(1, 0, hdgItemName, m_txtItemNM);
    addField(2, 0, m_hdgModelSeries, m_txtModelSeriesTX);
    addField(3, 0, hdgSerial, m_txtSerialNumberID);
    addField(0, 1, hdgType, m_cboTypeTX);
    addField(1, 1, hdgLocation, m_cboLocationTX);
    addField(2, 1, m_hdgPurchaseLocation, m_cboPurchaseLocationTX);
    addField(3, 1, m_hdgPurchaseDate, m_dtpPurchaseDT);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    fields->setColumnMinimumWidth(2, 12);

    auto* priceFrame = control<QGroupBox>("fraPriceInfo", this);
    priceFrame->setTitle(QStringLiteral("Price Information"));
    auto* priceLayout = new QFormLayout(priceFrame);
    m_hdgPurchasePrice =
        label("hdgPurchasePrice", QStringLiteral("Purchase Price: $ "), priceFrame);
    const char* priceNames[3] = {"txtPurchasePriceAM", "txtReplacementPriceAM",
                                 "txtAppraisalPriceAM"};
    QLabel* priceHeadings[3] = {
        m_hdgPurchasePrice,
        label("hdgReplacementPrice", QStringLiteral("Replace Price: $ "), priceFrame),
        label("hdgAppraisalPrice", QStringLiteral("Appraisal Price: $ "), priceFrame)};
    for (int index = 0; index < 3; ++index) {
        m_prices[index].edit = lineEdit(priceNames[index], 0, priceFrame);
        m_prices[index].edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        priceHeadings[index]->setBuddy(m_prices[index].edit);
        priceLayout->addRow(priceHeadings[index], m_prices[index].edit);
    }

    auto* warrantyFrame = control<QGroupBox>("fraWarranty", this);
    warrantyFrame->setTitle(QStringLiteral("Warranty Information"));
    m_chkWarrantyCD = checkBox("chkWarrantyCD", QStringLiteral("Under warranty?"), warrantyFrame);
    m_dtpWarrantyExpireDT = control<OptionalDateEdit>("dtpWarrantyExpireDT", warrantyFrame);
    m_chkWarrantyDocumentCD = checkBox(
        "chkWarrantyDocumentCD", QStringLiteral("Do you have a warranty document?"), warrantyFrame);
    m_chkReceiptCD = checkBox(
        "chkReceiptCD", QStringLiteral("Do you have a receipt for this item?"), warrantyFrame);
    m_chkManualsCD =
        checkBox("chkManualsCD", QStringLiteral("Do you have a user's manual?"), warrantyFrame);
    auto* warrantyRow = new QHBoxLayout;
    warrantyRow->addWidget(m_chkWarrantyCD);
    warrantyRow->addWidget(m_dtpWarrantyExpireDT);
    warrantyRow->addStretch();
    auto* warrantyLayout = new QVBoxLayout(warrantyFrame);
    warrantyLayout->addLayout(warrantyRow);
    warrantyLayout->addWidget(m_chkWarrantyDocumentCD);
    warrantyLayout->addWidget(m_chkReceiptCD);
    warrantyLayout->addWidget(m_chkManualsCD);
    warrantyLayout->addStretch();
    connect(m_chkWarrantyCD, &QCheckBox::toggled, this, &frmInventoryItem::chkWarrantyCD_Click);

    auto* frames = new QHBoxLayout;
    frames->addWidget(priceFrame);
    frames->addWidget(warrantyFrame, 1);

    auto* hdgComments = label("hdgCommentsTX", QStringLiteral("Comments"), this);
    m_txtCommentsTX = control<QPlainTextEdit>("txtCommentsTX", this);
    m_txtCommentsTX->setTabChangesFocus(true);
    m_txtCommentsTX->setMinimumHeight(m_txtCommentsTX->fontMetrics().lineSpacing() * 4);
    hdgComments->setBuddy(m_txtCommentsTX);

    m_attachments = new AttachmentsPanel(this);
    m_attachments->setReceiptBox(m_chkReceiptCD);

    m_lblLastChangeDT = label("lblLastChangeDT", QString(), this);
    m_cmdSaveExit = button("cmdSaveExit", QStringLiteral("&Save and Exit"), this);
    m_cmdSaveNew = button("cmdSaveNew", QStringLiteral("Save / &New Item"), this);
    m_cmdClose = button("cmdClose", QStringLiteral("&Close"), this);
    connect(m_cmdSaveExit, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdSaveExit_Click(); }); });
    connect(m_cmdSaveNew, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdSaveNew_Click(); }); });
    connect(m_cmdClose, &QPushButton::clicked, this, &frmInventoryItem::cmdClose_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lblLastChangeDT);
    buttons->addStretch();
    buttons->addWidget(m_cmdSaveExit);
    buttons->addWidget(m_cmdSaveNew);
    buttons->addWidget(m_cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(frames);
    layout->addWidget(hdgComments);
    layout->addWidget(m_txtCommentsTX, 1);
    layout->addWidget(m_attachments, 2);
    layout->addLayout(buttons);
}

// ---------------------------------------------------------------------------------------------
// Loading

void frmInventoryItem::Form_Load() {
    fillLists();
    if (m_formAction == QLatin1String("E")) {
        setWindowTitle(QStringLiteral("Edit Inventory Item"));
        m_cmdSaveNew->hide();
        LoadItem();
        m_attachments->load(AttachmentOwner::inventoryItem(m_editItemID));
    } else {
        setWindowTitle(QStringLiteral("Add New Inventory Item"));
    }
    m_requireManufacturer = Settings::integer(SettingKeys::RequireManufacturer, 0) == 1;
    m_requireModel = Settings::integer(SettingKeys::RequireModel, 0) == 1;
    m_requirePurchaseLocation = Settings::integer(SettingKeys::RequirePurchaseLocation, 0) == 1;
    m_requirePurchasePrice = Settings::integer(SettingKeys::RequirePurchasePrice, 0) == 1;
    m_requirePurchaseDate = Settings::integer(SettingKeys::RequirePurchaseDate, 0) == 1;
    setBold(m_hdgManufacturer, m_requireManufacturer);
    setBold(m_hdgModelSeries, m_requireModel);
    setBold(m_hdgPurchaseLocation, m_requirePurchaseLocation);
    setBold(m_hdgPurchasePrice, m_requirePurchasePrice);
    setBold(m_hdgPurchaseDate, m_requirePurchaseDate);
}

void frmInventoryItem::fillLists() {
    const invItem& items = gData->Inventory().Item();
    fillCombo(m_cboLocationTX, items.Location().List(), QStringLiteral("LocationTX"));
    fillCombo(m_cboManufacturerNM, items.DistinctFieldValue(QStringLiteral("ManufacturerNM")),
              QStringLiteral("ManufacturerNM"));
    fillCombo(m_cboTypeTX, items.ItemType().List(), QStringLiteral("TypeTX"));
    fillCombo(m_cboPurchaseLocationTX,
              items.DistinctFieldValue(QStringLiteral("PurchaseLocationTX")),
              QStringLiteral("PurchaseLocationTX"));
}

void frmInventoryItem::LoadItem() {
    const Recordset item = gData->Inventory().Item().Retrieve(m_editItemID);
    if (item.isEmpty()) {
        MsgBox(this, QStringLiteral("ERROR - read for item edit failed."), QMessageBox::Ok,
               QMessageBox::Critical, windowTitle());
        return;
    }
    const auto value = [&item](const char* column) { return item.value(0, QLatin1String(column)); };
    const auto text = [&value](const char* column) {
        return General::NullToDefault(value(column), General::KindText).toString();
    };
    m_cboManufacturerNM->setEditText(text("ManufacturerNM"));
    m_txtItemNM->setText(text("ItemNM"));
    m_txtModelSeriesTX->setText(text("ModelSeriesTX"));
    m_txtSerialNumberID->setText(text("SerialNumberID"));
    m_txtCommentsTX->setPlainText(text("CommentsTX"));
    showStoredText(m_cboPurchaseLocationTX, text("PurchaseLocationTX"));
    showStoredText(m_cboTypeTX, text("TypeTX"));
    showStoredText(m_cboLocationTX, text("LocationTX"));
    m_dtpPurchaseDT->setValue(value("PurchaseDT"));
    // The box proposes tomorrow as the expiry date; the stored date comes after it and wins.
    m_chkWarrantyCD->setChecked(value("WarrantyCD").toBool());
    m_dtpWarrantyExpireDT->setValue(value("WarrantyExpireDT"));
    if (m_chkWarrantyCD->isChecked() && m_dtpWarrantyExpireDT->isNull())
        m_dtpWarrantyExpireDT->checkBox()->show();
    m_chkWarrantyDocumentCD->setChecked(value("WarrantyDocumentCD").toBool());
    m_chkReceiptCD->setChecked(value("ReceiptCD").toBool());
    m_chkManualsCD->setChecked(value("ManualsCD").toBool());
    const char* priceColumns[3] = {"PurchasePriceAM", "ReplacePriceAM", "AppraisalPriceAM"};
    for (int index = 0; index < 3; ++index) {
        Price& price = m_prices[index];
        price.loadedAmount = value(priceColumns[index]);
        price.loadedText = General::FormatPrice(price.loadedAmount, false);
        price.edit->setText(price.loadedText);
    }
    m_lblLastChangeDT->setText(QStringLiteral("Last change: ") +
                               DateText::displayText(value("LastChangeDT")));
    m_lblLastChangeDT->show();
}

void frmInventoryItem::chkWarrantyCD_Click(bool checked) {
    if (checked) {
        m_chkWarrantyCD->setText(QStringLiteral("Under warranty until"));
        m_dtpWarrantyExpireDT->checkBox()->hide();
        m_dtpWarrantyExpireDT->show();
        m_dtpWarrantyExpireDT->setDate(Clock::today().addDays(1));
    } else {
        m_chkWarrantyCD->setText(QStringLiteral("Under warranty?"));
        m_dtpWarrantyExpireDT->checkBox()->show();
        m_dtpWarrantyExpireDT->clear();
        m_dtpWarrantyExpireDT->hide();
    }
}

void frmInventoryItem::ResetForNewItem() {
    fillLists();
    for (QLineEdit* edit : {m_txtItemNM, m_txtModelSeriesTX, m_txtSerialNumberID, m_prices[0].edit,
                            m_prices[1].edit, m_prices[2].edit})
        edit->clear();
    m_txtCommentsTX->clear();
    m_attachments->load(AttachmentOwner::inventoryItem(0));
    for (QComboBox* combo :
         {m_cboManufacturerNM, m_cboTypeTX, m_cboLocationTX, m_cboPurchaseLocationTX})
        clearCombo(combo);
    for (OptionalDateEdit* picker : {m_dtpPurchaseDT, m_dtpWarrantyExpireDT}) {
        if (picker->checkBox()->isHidden())
            picker->setDate(Clock::today());
        else
            picker->clear();
    }
    // Clearing the warranty box hides the expiry date again.
    for (QCheckBox* box :
         {m_chkWarrantyCD, m_chkWarrantyDocumentCD, m_chkReceiptCD, m_chkManualsCD})
        box->setChecked(false);
}

// ---------------------------------------------------------------------------------------------
// Checking and storing

bool frmInventoryItem::refuse(const QString& message, QWidget* control) {
    MsgBox(this, message, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    // A date field without a date only takes the focus on its tick box.
    auto* picker = qobject_cast<OptionalDateEdit*>(control);
    if (picker && picker->isNull() && picker->checkBox()->isVisible())
        picker->checkBox()->setFocus();
    else
        control->setFocus();
    return false;
}

QString frmInventoryItem::priceText(PriceIndex index) const {
    return m_prices[index].edit->text();
}

bool frmInventoryItem::ValidateEntry() {
    const QString manufacturer = m_cboManufacturerNM->currentText();
    const QString purchaseLocation = m_cboPurchaseLocationTX->currentText();
    if (m_requireManufacturer && manufacturer.isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the manufacturer is "
                                     "required."),
                      m_cboManufacturerNM);
    if (manufacturer.size() > ManufacturerLength)
        return refuse(QStringLiteral("The manufacturer field cannot be longer than 30 characters."),
                      m_cboManufacturerNM);
    if (m_txtItemNM->text().isEmpty())
        return refuse(QStringLiteral("You must provide an item name."), m_txtItemNM);
    if (m_requireModel && m_txtModelSeriesTX->text().isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the Model Series is "
                                     "required."),
                      m_txtModelSeriesTX);
    if (m_requirePurchaseLocation && purchaseLocation.isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the purchase "
                                     "location is required."),
                      m_cboPurchaseLocationTX);
    if (purchaseLocation.size() > PurchaseLocationLength)
        return refuse(QStringLiteral("The purchase location field cannot be longer than 255 "
                                     "characters."),
                      m_cboPurchaseLocationTX);
    if (m_requirePurchaseDate && m_dtpPurchaseDT->isNull())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the purchase date is "
                                     "required."),
                      m_dtpPurchaseDT);
    // A date is typed as text; one that names no day is refused rather than stored as none.
    if (!m_dtpPurchaseDT->isNull() && !m_dtpPurchaseDT->date().isValid())
        return refuse(QStringLiteral("The purchase date must be a valid date."), m_dtpPurchaseDT);
    if (m_requirePurchasePrice && priceText(PurchasePrice).isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the purchase price "
                                     "is required."),
                      m_prices[PurchasePrice].edit);
    const struct {
        PriceIndex index;
        const char* message;
    } prices[3] = {
        {PurchasePrice, "The purchase price must be a valid numeric value."},
        {ReplacementPrice, "The replacement price must be a valid numeric value."},
        {AppraisalPrice, "The appraisal price must be a valid numeric value."},
    };
    for (const auto& price : prices) {
        const QString text = priceText(price.index);
        if (!text.isEmpty() && !General::IsValidMoney(text, false))
            return refuse(QLatin1String(price.message), m_prices[price.index].edit);
    }
    if (m_cboTypeTX->currentText().isEmpty())
        return refuse(QStringLiteral("You must select a type of item."), m_cboTypeTX);
    if (m_cboLocationTX->currentText().isEmpty())
        return refuse(QStringLiteral("You must select the current location of the item."),
                      m_cboLocationTX);
    if (!m_dtpWarrantyExpireDT->isNull() && !m_dtpWarrantyExpireDT->date().isValid())
        return refuse(QStringLiteral("The warranty expiration date must be a valid date."),
                      m_dtpWarrantyExpireDT);
    return true;
}

QVariant frmInventoryItem::priceValue(PriceIndex index) const {
    const Price& price = m_prices[index];
    if (m_formAction != QLatin1String("N") && price.edit->text() == price.loadedText &&
        !price.loadedText.isEmpty())
        return price.loadedAmount;
    return price.edit->text();
}

QVariant frmInventoryItem::newReplacementPrice() const {
    if (!priceText(ReplacementPrice).isEmpty())
        return priceText(ReplacementPrice);
    const QString purchase = priceText(PurchasePrice);
    const auto amount = Currency::parse(purchase, false);
    if (purchase.isEmpty() || !amount)
        return QVariant::fromValue(Currency());
    switch (Settings::integer(SettingKeys::ReplacePrice, 0)) {
    case 1:
        return QVariant::fromValue(*amount);
    case 2:
        return QVariant::fromValue(General::ReplacementByPercent(*amount));
    default:
        return QVariant::fromValue(Currency());
    }
}

void frmInventoryItem::SaveItem() {
    const bool adding = m_formAction == QLatin1String("N");
    const invItem::Values values{
        .ManufacturerNM = m_cboManufacturerNM->currentText(),
        .ItemNM = m_txtItemNM->text(),
        .ModelSeriesTX = m_txtModelSeriesTX->text(),
        .SerialNumberID = m_txtSerialNumberID->text(),
        .PurchaseLocationTX = m_cboPurchaseLocationTX->currentText(),
        .PurchaseDT = m_dtpPurchaseDT->value(),
        .WarrantyCD = m_chkWarrantyCD->isChecked(),
        .WarrantyExpireDT = m_dtpWarrantyExpireDT->value(),
        .WarrantyDocumentCD = m_chkWarrantyDocumentCD->isChecked(),
        .PurchasePriceAM = priceValue(PurchasePrice),
        // Only a new item gets its replacement price filled in by the option.
        .ReplacePriceAM = adding ? newReplacementPrice() : priceValue(ReplacementPrice),
        .AppraisalPriceAM = priceValue(AppraisalPrice),
        .TypeTX = m_cboTypeTX->currentText(),
        .LocationTX = m_cboLocationTX->currentText(),
        .ReceiptCD = m_chkReceiptCD->isChecked(),
        .ManualsCD = m_chkManualsCD->isChecked(),
        .CommentsTX = m_txtCommentsTX->toPlainText()};
    const invItem& items = gData->Inventory().Item();
    if (adding)
        items.Add(values, m_attachments->changes());
    else
        items.Update(m_editItemID, invItem::Changes::everyColumn(values), m_attachments->changes());
}

// ---------------------------------------------------------------------------------------------
// Buttons

void frmInventoryItem::cmdSaveExit_Click() {
    if (!ValidateEntry())
        return;
    SaveItem();
    closeSaved();
}

void frmInventoryItem::cmdSaveNew_Click() {
    // Only a new item may be followed by another; an edited item is not stored twice.
    if (m_formAction != QLatin1String("N") || !ValidateEntry())
        return;
    SaveItem();
    markSaved();
    emit itemAdded();
    ResetForNewItem();
    m_cboManufacturerNM->setFocus();
}

void frmInventoryItem::cmdClose_Click() {
    reject();
}
