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
using NamedWidgets::label;

// Widths of the item columns that the form does not check itself.
constexpr int ItemNameLength = 50;
constexpr int ModelLength = 30;
constexpr int SerialNumberLength = 50;
constexpr int ManufacturerLength = 30;
constexpr int PurchaseLocationLength = 255;

QComboBox* comboBox(const char* name, bool editable, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    // Long purchase places must not widen the dialog.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(18);
    if (editable)
        EnableTypeAhead(combo);
    return combo;
}

QLineEdit* lineEdit(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
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
    m_lastChange->hide();
}

void frmInventoryItem::buildForm() {
    m_hdgManufacturer = label("hdgManufacturer", QStringLiteral("Manufacturer"), this);
    m_manufacturer = comboBox("cboManufacturerNM", true, this);
    auto* hdgItemName = label("hdgItemName", QStringLiteral("Item Name"), this);
    m_itemName = lineEdit("txtItemNM", ItemNameLength, this);
    m_hdgModel = label("hdgModelSeries", QStringLiteral("Model / Series"), this);
    m_model = lineEdit("txtModelSeriesTX", ModelLength, this);
    auto* hdgSerial = label("hdgSerialNumber", QStringLiteral("Serial Number"), this);
    m_serialNumber = lineEdit("txtSerialNumberID", SerialNumberLength, this);
    auto* hdgType = label("hdgItemType", QStringLiteral("Item Type"), this);
    m_type = comboBox("cboTypeTX", false, this);
    auto* hdgLocation = label("hdgLocation", QStringLiteral("Current Location"), this);
    m_location = comboBox("cboLocationTX", false, this);
    m_hdgPurchaseLocation = label("hdgPurchaseLocation", QStringLiteral("Purchased At"), this);
    m_purchaseLocation = comboBox("cboPurchaseLocationTX", true, this);
    m_hdgPurchaseDate = label("hdgPurchaseDate", QStringLiteral("Purchase Date"), this);
    m_purchaseDate = new OptionalDateEdit(this);
    m_purchaseDate->setObjectName(QStringLiteral("dtpPurchaseDT"));

    auto* fields = new QGridLayout;
    const auto addField = [fields](int row, int column, QLabel* label, QWidget* field) {
        label->setBuddy(field);
        fields->addWidget(label, row, column * 2);
        fields->addWidget(field, row, column * 2 + 1);
    };
    addField(0, 0, m_hdgManufacturer, m_manufacturer);
    addField(1, 0, hdgItemName, m_itemName);
    addField(2, 0, m_hdgModel, m_model);
    addField(3, 0, hdgSerial, m_serialNumber);
    addField(0, 1, hdgType, m_type);
    addField(1, 1, hdgLocation, m_location);
    addField(2, 1, m_hdgPurchaseLocation, m_purchaseLocation);
    addField(3, 1, m_hdgPurchaseDate, m_purchaseDate);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    fields->setColumnMinimumWidth(2, 12);

    auto* priceFrame = new QGroupBox(QStringLiteral("Price Information"), this);
    priceFrame->setObjectName(QStringLiteral("fraPriceInfo"));
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

    auto* warrantyFrame = new QGroupBox(QStringLiteral("Warranty Information"), this);
    warrantyFrame->setObjectName(QStringLiteral("fraWarranty"));
    m_warranty = checkBox("chkWarrantyCD", QStringLiteral("Under warranty?"), warrantyFrame);
    m_warrantyExpire = new OptionalDateEdit(warrantyFrame);
    m_warrantyExpire->setObjectName(QStringLiteral("dtpWarrantyExpireDT"));
    m_warrantyDocument = checkBox(
        "chkWarrantyDocumentCD", QStringLiteral("Do you have a warranty document?"), warrantyFrame);
    m_receipt = checkBox("chkReceiptCD", QStringLiteral("Do you have a receipt for this item?"),
                         warrantyFrame);
    m_manuals =
        checkBox("chkManualsCD", QStringLiteral("Do you have a user's manual?"), warrantyFrame);
    auto* warrantyRow = new QHBoxLayout;
    warrantyRow->addWidget(m_warranty);
    warrantyRow->addWidget(m_warrantyExpire);
    warrantyRow->addStretch();
    auto* warrantyLayout = new QVBoxLayout(warrantyFrame);
    warrantyLayout->addLayout(warrantyRow);
    warrantyLayout->addWidget(m_warrantyDocument);
    warrantyLayout->addWidget(m_receipt);
    warrantyLayout->addWidget(m_manuals);
    warrantyLayout->addStretch();
    connect(m_warranty, &QCheckBox::toggled, this, &frmInventoryItem::chkWarrantyCD_Click);

    auto* frames = new QHBoxLayout;
    frames->addWidget(priceFrame);
    frames->addWidget(warrantyFrame, 1);

    auto* hdgComments = label("hdgCommentsTX", QStringLiteral("Comments"), this);
    m_comments = new QPlainTextEdit(this);
    m_comments->setObjectName(QStringLiteral("txtCommentsTX"));
    m_comments->setTabChangesFocus(true);
    m_comments->setMinimumHeight(m_comments->fontMetrics().lineSpacing() * 4);
    hdgComments->setBuddy(m_comments);

    m_lastChange = label("lblLastChangeDT", QString(), this);
    m_saveExit = button("cmdSaveExit", QStringLiteral("&Save and Exit"), this);
    m_saveNew = button("cmdSaveNew", QStringLiteral("Save / &New Item"), this);
    m_close = button("cmdClose", QStringLiteral("&Close"), this);
    connect(m_saveExit, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdSaveExit_Click(); }); });
    connect(m_saveNew, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdSaveNew_Click(); }); });
    connect(m_close, &QPushButton::clicked, this, &frmInventoryItem::cmdClose_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lastChange);
    buttons->addStretch();
    buttons->addWidget(m_saveExit);
    buttons->addWidget(m_saveNew);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(frames);
    layout->addWidget(hdgComments);
    layout->addWidget(m_comments, 1);
    layout->addLayout(buttons);
}

// ---------------------------------------------------------------------------------------------
// Loading

void frmInventoryItem::Form_Load() {
    fillLists();
    if (m_formAction == QLatin1String("E")) {
        setWindowTitle(QStringLiteral("Edit Inventory Item"));
        m_saveNew->hide();
        LoadItem();
    } else {
        setWindowTitle(QStringLiteral("Add New Inventory Item"));
    }
    m_requireManufacturer = Settings::integer(SettingKeys::RequireManufacturer, 0) == 1;
    m_requireModel = Settings::integer(SettingKeys::RequireModel, 0) == 1;
    m_requirePurchaseLocation = Settings::integer(SettingKeys::RequirePurchaseLocation, 0) == 1;
    m_requirePurchasePrice = Settings::integer(SettingKeys::RequirePurchasePrice, 0) == 1;
    m_requirePurchaseDate = Settings::integer(SettingKeys::RequirePurchaseDate, 0) == 1;
    setBold(m_hdgManufacturer, m_requireManufacturer);
    setBold(m_hdgModel, m_requireModel);
    setBold(m_hdgPurchaseLocation, m_requirePurchaseLocation);
    setBold(m_hdgPurchasePrice, m_requirePurchasePrice);
    setBold(m_hdgPurchaseDate, m_requirePurchaseDate);
}

void frmInventoryItem::fillLists() {
    const invItem& items = gData->Inventory().Item();
    fillCombo(m_location, items.Location().List(), QStringLiteral("LocationTX"));
    fillCombo(m_manufacturer, items.DistinctFieldValue(QStringLiteral("ManufacturerNM")),
              QStringLiteral("ManufacturerNM"));
    fillCombo(m_type, items.ItemType().List(), QStringLiteral("TypeTX"));
    fillCombo(m_purchaseLocation, items.DistinctFieldValue(QStringLiteral("PurchaseLocationTX")),
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
    m_manufacturer->setEditText(text("ManufacturerNM"));
    m_itemName->setText(text("ItemNM"));
    m_model->setText(text("ModelSeriesTX"));
    m_serialNumber->setText(text("SerialNumberID"));
    m_comments->setPlainText(text("CommentsTX"));
    showStoredText(m_purchaseLocation, text("PurchaseLocationTX"));
    showStoredText(m_type, text("TypeTX"));
    showStoredText(m_location, text("LocationTX"));
    m_purchaseDate->setValue(value("PurchaseDT"));
    // The box proposes tomorrow as the expiry date; the stored date comes after it and wins.
    m_warranty->setChecked(value("WarrantyCD").toBool());
    m_warrantyExpire->setValue(value("WarrantyExpireDT"));
    if (m_warranty->isChecked() && m_warrantyExpire->isNull())
        m_warrantyExpire->checkBox()->show();
    m_warrantyDocument->setChecked(value("WarrantyDocumentCD").toBool());
    m_receipt->setChecked(value("ReceiptCD").toBool());
    m_manuals->setChecked(value("ManualsCD").toBool());
    const char* priceColumns[3] = {"PurchasePriceAM", "ReplacePriceAM", "AppraisalPriceAM"};
    for (int index = 0; index < 3; ++index) {
        Price& price = m_prices[index];
        price.loadedAmount = value(priceColumns[index]);
        price.loadedText = General::FormatPrice(price.loadedAmount, false);
        price.edit->setText(price.loadedText);
    }
    m_lastChange->setText(QStringLiteral("Last change: ") +
                          DateText::displayText(value("LastChangeDT")));
    m_lastChange->show();
}

void frmInventoryItem::chkWarrantyCD_Click(bool checked) {
    if (checked) {
        m_warranty->setText(QStringLiteral("Under warranty until"));
        m_warrantyExpire->checkBox()->hide();
        m_warrantyExpire->show();
        m_warrantyExpire->setDate(Clock::today().addDays(1));
    } else {
        m_warranty->setText(QStringLiteral("Under warranty?"));
        m_warrantyExpire->checkBox()->show();
        m_warrantyExpire->clear();
        m_warrantyExpire->hide();
    }
}

void frmInventoryItem::ResetForNewItem() {
    fillLists();
    for (QLineEdit* edit : {m_itemName, m_model, m_serialNumber, m_prices[0].edit, m_prices[1].edit,
                            m_prices[2].edit})
        edit->clear();
    m_comments->clear();
    for (QComboBox* combo : {m_manufacturer, m_type, m_location, m_purchaseLocation})
        clearCombo(combo);
    for (OptionalDateEdit* picker : {m_purchaseDate, m_warrantyExpire}) {
        if (picker->checkBox()->isHidden())
            picker->setDate(Clock::today());
        else
            picker->clear();
    }
    // Clearing the warranty box hides the expiry date again.
    for (QCheckBox* box : {m_warranty, m_warrantyDocument, m_receipt, m_manuals})
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
    const QString manufacturer = m_manufacturer->currentText();
    const QString purchaseLocation = m_purchaseLocation->currentText();
    if (m_requireManufacturer && manufacturer.isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the manufacturer is "
                                     "required."),
                      m_manufacturer);
    if (manufacturer.size() > ManufacturerLength)
        return refuse(QStringLiteral("The manufacturer field cannot be longer than 30 characters."),
                      m_manufacturer);
    if (m_itemName->text().isEmpty())
        return refuse(QStringLiteral("You must provide an item name."), m_itemName);
    if (m_requireModel && m_model->text().isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the Model Series is "
                                     "required."),
                      m_model);
    if (m_requirePurchaseLocation && purchaseLocation.isEmpty())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the purchase "
                                     "location is required."),
                      m_purchaseLocation);
    if (purchaseLocation.size() > PurchaseLocationLength)
        return refuse(QStringLiteral("The purchase location field cannot be longer than 255 "
                                     "characters."),
                      m_purchaseLocation);
    if (m_requirePurchaseDate && m_purchaseDate->isNull())
        return refuse(QStringLiteral("You have specified in the OPTIONS that the purchase date is "
                                     "required."),
                      m_purchaseDate);
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
    if (m_type->currentText().isEmpty())
        return refuse(QStringLiteral("You must select a type of item."), m_type);
    if (m_location->currentText().isEmpty())
        return refuse(QStringLiteral("You must select the current location of the item."),
                      m_location);
    if (!m_warrantyExpire->isNull() && !m_warrantyExpire->date().isValid())
        return refuse(QStringLiteral("The warranty expiration date must be a valid date."),
                      m_warrantyExpire);
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
        .ManufacturerNM = m_manufacturer->currentText(),
        .ItemNM = m_itemName->text(),
        .ModelSeriesTX = m_model->text(),
        .SerialNumberID = m_serialNumber->text(),
        .PurchaseLocationTX = m_purchaseLocation->currentText(),
        .PurchaseDT = m_purchaseDate->value(),
        .WarrantyCD = m_warranty->isChecked(),
        .WarrantyExpireDT = m_warrantyExpire->value(),
        .WarrantyDocumentCD = m_warrantyDocument->isChecked(),
        .PurchasePriceAM = priceValue(PurchasePrice),
        // Only a new item gets its replacement price filled in by the option.
        .ReplacePriceAM = adding ? newReplacementPrice() : priceValue(ReplacementPrice),
        .AppraisalPriceAM = priceValue(AppraisalPrice),
        .TypeTX = m_type->currentText(),
        .LocationTX = m_location->currentText(),
        .ReceiptCD = m_receipt->isChecked(),
        .ManualsCD = m_manuals->isChecked(),
        .CommentsTX = m_comments->toPlainText()};
    const invItem& items = gData->Inventory().Item();
    if (adding)
        items.Add(values);
    else
        items.Update(m_editItemID, invItem::Changes::everyColumn(values));
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
    m_manufacturer->setFocus();
}

void frmInventoryItem::cmdClose_Click() {
    reject();
}
