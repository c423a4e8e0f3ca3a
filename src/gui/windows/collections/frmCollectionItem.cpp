#include "windows/collections/frmCollectionItem.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "records/Collection.h"
#include "types/DateText.h"
#include "widgets/AttachmentsPanel.h"
#include "widgets/NamedWidgets.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The widths of the item name column and of a price's text.
constexpr int ItemNameLength = 255;
constexpr int PriceLength = 15;

// Where the four field slots' headings stand (twips); each control sits just below its heading.
constexpr QPoint SlotPositions[frmCollectionItem::Slots] = {
    {120, 960}, {3960, 960}, {120, 1680}, {3960, 1680}};
constexpr int FieldWidth = 3495;
constexpr int HeadingHeight = 240;

// Places a control at a position given in twips; a height of 0 keeps the control's own.
void place(QWidget* widget, int left, int top, int width, int height = 0) {
    widget->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                        height > 0 ? Twips::toPixels(height) : widget->sizeHint().height());
}

QLabel* label(const char* name, const QString& caption, QWidget* parent, int left, int top,
              int width) {
    QLabel* text = NamedWidgets::label(name, caption, parent);
    place(text, left, top, width, HeadingHeight);
    return text;
}

// The attachments area goes between the comments and the buttons, which move down by its height.
constexpr int AttachmentsTop = 4350;
constexpr int AttachmentsHeight = 3300;

QPushButton* button(const char* name, const QString& caption, QWidget* parent, int left) {
    QPushButton* push = NamedWidgets::button(name, caption, parent);
    place(push, left, 4440 + AttachmentsHeight, 1455, 375);
    // Never narrower than its caption needs in the font in use.
    push->resize(std::max(push->width(), push->sizeHint().width()), push->height());
    return push;
}

} // namespace

frmCollectionItem::frmCollectionItem(QWidget* parent)
    : FormDialog(QStringLiteral("frmCollectionItem"), parent) {
    setFixedSize(Twips::toPixels(7815), Twips::toPixels(5040 + AttachmentsHeight));
    createFixedControls();
}

void frmCollectionItem::createFixedControls() {
    label("hdgItemNM", QStringLiteral("Item Name"), this, 120, 120, 4575);
    m_txtItemNM = NamedWidgets::control<QLineEdit>("txtItemNM", this);
    m_txtItemNM->setMaxLength(ItemNameLength);
    place(m_txtItemNM, 120, 360, 4575, 315);

    for (int slot = 0; slot < Slots; ++slot) {
        const QPoint at = SlotPositions[slot];
        m_slots[slot].hdgField =
            label(QStringLiteral("hdgField_%1").arg(slot).toLatin1().constData(),
                  QStringLiteral("Field %1").arg(slot + 1), this, at.x(), at.y(), FieldWidth);
        m_slots[slot].hdgField->hide();
    }

    m_txtPurchasePriceAM = priceBox("txtPurchasePriceAM", "hdgPurchasePriceAM",
                                    QStringLiteral("Purchase Price"), 360, 1455);
    m_txtAppraisalPriceAM = priceBox("txtAppraisalPriceAM", "hdgAppraisalPriceAM",
                                     QStringLiteral("Appraisal Price"), 2280, 1335);
    m_txtReplacePriceAM = priceBox("txtReplacePriceAM", "hdgReplacePriceAM",
                                   QStringLiteral("Replacement Price"), 4080, 1335);

    label("hdgCommentsTX", QStringLiteral("Comments / Notes"), this, 120, 3120, 4575);
    m_txtCommentsTX = NamedWidgets::control<QPlainTextEdit>("txtCommentsTX", this);
    m_txtCommentsTX->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtCommentsTX->setTabChangesFocus(true);
    place(m_txtCommentsTX, 120, 3360, 7575, 915);

    m_attachments = new AttachmentsPanel(this);
    place(m_attachments, 120, AttachmentsTop, 7575, AttachmentsHeight - 60);

    m_lblLastChangeDT = label("lblLastChangeDT", QStringLiteral("Last change: "), this, 120,
                              4500 + AttachmentsHeight, 2700);
    m_lblLastChangeDT->hide();

    m_cmdSaveExit = button("cmdSaveExit", QStringLiteral("&Save and Exit"), this, 2880);
    m_cmdSaveExit->setDefault(true);
    m_cmdSaveNew = button("cmdSaveNew", QStringLiteral("Save / &New Item"), this, 4560);
    m_cmdClose = button("cmdClose", QStringLiteral("&Close"), this, 6240);
    connect(m_cmdSaveExit, &QPushButton::clicked, this, &frmCollectionItem::cmdSaveExit_Click);
    connect(m_cmdSaveNew, &QPushButton::clicked, this, &frmCollectionItem::cmdSaveNew_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmCollectionItem::cmdClose_Click);
}

QLineEdit* frmCollectionItem::priceBox(const char* name, const char* heading,
                                       const QString& caption, int left, int width) {
    label(heading, caption, this, left, 2400, 1800);
    QLabel* dollar = NamedWidgets::label("lblDollarSign", QStringLiteral("$"), this);
    dollar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(dollar, left - 240, 2640, 210, 315);
    auto* box = NamedWidgets::control<QLineEdit>(name, this);
    box->setMaxLength(PriceLength);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(box, left, 2640, width, 315);
    return box;
}

void frmCollectionItem::Form_Load() {
    if (isNew()) {
        setWindowTitle(QStringLiteral("Add New Item to '") + m_collectionName +
                       QStringLiteral("'"));
    } else {
        setWindowTitle(QStringLiteral("Edit Item in '") + m_collectionName + QStringLiteral("'"));
        m_lblLastChangeDT->show();
        m_cmdSaveNew->hide();
        m_cmdSaveExit->move(m_cmdSaveNew->pos());
    }
    RunCommand(this, [this] {
        BuildFieldControls();
        if (!isNew())
            LoadItem(m_itemID);
        m_attachments->load(AttachmentOwner::collectionItem(isNew() ? 0 : m_itemID));
    });
    setTabOrder();
    m_txtItemNM->setFocus();
}

void frmCollectionItem::BuildFieldControls() {
    const Recordset fields = gData->Collection().Field().List(m_collectionName);
    for (int row = 0; row < fields.rowCount(); ++row) {
        const int slot = fields.value(row, QStringLiteral("FieldID")).toInt();
        if (slot < 0 || slot >= Slots)
            continue;
        FieldControl::Setup setup;
        setup.collection = m_collectionName;
        setup.slot = slot;
        setup.type = fields.value(row, QStringLiteral("FieldTypeCD")).toInt();
        setup.required = fields.value(row, QStringLiteral("RequiredCD")).toBool();
        setup.listText = fields.value(row, QStringLiteral("FieldListTX")).toString();
        Slot& entry = m_slots[slot];
        entry.control = FieldControl::create(setup, this);
        if (entry.control.isNull())
            continue;
        entry.used = true;
        entry.required = setup.required;
        entry.hdgField->setText(fields.value(row, QStringLiteral("FieldNM")).toString());
        QFont font = entry.hdgField->font();
        font.setBold(setup.required);
        entry.hdgField->setFont(font);
        entry.hdgField->show();
        QWidget* control = entry.control.widget();
        control->move(entry.hdgField->x(), entry.hdgField->y() + Twips::toPixels(HeadingHeight));
        control->show();
    }
}

void frmCollectionItem::setTabOrder() {
    QList<QWidget*> order = {m_txtItemNM};
    for (const Slot& slot : m_slots) {
        if (slot.used)
            order.append(slot.control.widget());
    }
    order += {m_txtPurchasePriceAM, m_txtAppraisalPriceAM, m_txtReplacePriceAM, m_txtCommentsTX,
              m_cmdSaveExit,        m_cmdSaveNew,          m_cmdClose};
    for (int index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order.at(index - 1), order.at(index));
}

QString frmCollectionItem::GetFieldValue(int slot) const {
    return m_slots[slot].used ? m_slots[slot].control.value() : QString();
}

void frmCollectionItem::SetFieldValue(int slot, const QString& text) {
    if (slot >= 0 && slot < Slots && m_slots[slot].used)
        m_slots[slot].control.setValue(text);
}

bool frmCollectionItem::GoodFieldValue(int slot) const {
    return slot >= 0 && slot < Slots && m_slots[slot].used && m_slots[slot].control.isGood();
}

void frmCollectionItem::LoadItem(qint64 itemID) {
    const colItem& items = gData->Collection().Item();
    const Recordset item = items.Retrieve(itemID);
    if (item.isEmpty())
        return;
    m_txtItemNM->setText(item.value(0, QStringLiteral("ItemNM")).toString());
    showPrice(m_txtPurchasePriceAM, item.value(0, QStringLiteral("PurchasePriceAM")));
    showPrice(m_txtAppraisalPriceAM, item.value(0, QStringLiteral("AppraisalPriceAM")));
    showPrice(m_txtReplacePriceAM, item.value(0, QStringLiteral("ReplacePriceAM")));
    m_txtCommentsTX->setPlainText(item.value(0, QStringLiteral("CommentsTX")).toString());
    m_lblLastChangeDT->setText(
        QStringLiteral("Last change: ") +
        DateText::displayText(item.value(0, QStringLiteral("LastChangeDT"))));
    const Recordset values = items.Field().Retrieve(itemID, 0);
    for (int row = 0; row < values.rowCount(); ++row)
        SetFieldValue(values.value(row, QStringLiteral("FieldID")).toInt(),
                      values.value(row, QStringLiteral("FieldValueTX")).toString());
}

void frmCollectionItem::showPrice(QLineEdit* box, const QVariant& amount) {
    const LoadedPrice loaded{General::FormatPrice(amount, false), amount};
    m_loadedPrices.insert(box, loaded);
    box->setText(loaded.text);
}

QVariant frmCollectionItem::priceValue(const QLineEdit* box) const {
    const auto loaded = m_loadedPrices.constFind(box);
    if (loaded != m_loadedPrices.cend() && !loaded->text.isEmpty() && box->text() == loaded->text)
        return loaded->amount;
    return box->text().trimmed();
}

bool frmCollectionItem::refuse(const QString& text, QWidget* focus) {
    MsgBox(this, text, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    focus->setFocus();
    return false;
}

bool frmCollectionItem::ValidPrice(QLineEdit* box, const QString& message) {
    const QString text = box->text().trimmed();
    return text.isEmpty() || General::IsValidMoney(text, false) || refuse(message, box);
}

bool frmCollectionItem::ValidEntry() {
    const QString name = m_txtItemNM->text().trimmed();
    if (name.isEmpty())
        return refuse(QStringLiteral("You must provide an item name."), m_txtItemNM);
    // Names are compared by the engine, without regard to letter case. An edited item may keep
    // its own name, but not take another item's.
    const Recordset sameName =
        gData->Collection().Item().Retrieve(std::nullopt, name, m_collectionName);
    for (int row = 0; row < sameName.rowCount(); ++row) {
        if (isNew() || sameName.value(row, QStringLiteral("ItemID")).toLongLong() != m_itemID)
            return refuse(QStringLiteral("This item name is already on-file for this collection."),
                          m_txtItemNM);
    }
    for (int slot = 0; slot < Slots; ++slot) {
        const Slot& entry = m_slots[slot];
        if (!entry.used || GoodFieldValue(slot))
            continue;
        if (entry.required || !GetFieldValue(slot).isEmpty())
            return refuse(QStringLiteral("Please specify a valid value for the '") +
                              entry.hdgField->text() + QStringLiteral("' field."),
                          entry.control.widget());
    }
    return ValidPrice(m_txtPurchasePriceAM,
                      QStringLiteral("The purchase price must be a valid numeric value.")) &&
           ValidPrice(m_txtReplacePriceAM,
                      QStringLiteral("The replacement price must be a valid numeric value.")) &&
           ValidPrice(m_txtAppraisalPriceAM,
                      QStringLiteral("The appraisal price must be a valid numeric value."));
}

QVariant frmCollectionItem::replacementPrice() const {
    const QString typed = m_txtReplacePriceAM->text().trimmed();
    if (!typed.isEmpty())
        return typed;
    const QString purchase = m_txtPurchasePriceAM->text().trimmed();
    if (purchase.isEmpty())
        return {};
    switch (Settings::integer(SettingKeys::ReplacePrice, 0)) {
    case 1:
        return purchase;
    case 2: {
        const auto amount = General::ToCurrency(purchase);
        if (!amount)
            return {};
        return QVariant::fromValue(General::ReplacementByPercent(*amount));
    }
    default:
        return {};
    }
}

colItem::Values frmCollectionItem::fieldValues() const {
    colItem::Values values;
    for (int slot = 0; slot < Slots; ++slot) {
        if (m_slots[slot].used)
            values.insert(slot, GetFieldValue(slot));
    }
    return values;
}

void frmCollectionItem::SaveItem() {
    const colItem& items = gData->Collection().Item();
    const QString name = m_txtItemNM->text().trimmed();
    const QVariant purchase = priceValue(m_txtPurchasePriceAM);
    const QVariant appraisal = priceValue(m_txtAppraisalPriceAM);
    const QString comments = m_txtCommentsTX->toPlainText();
    if (isNew()) {
        items.AddWithValues(m_collectionName, name, purchase, appraisal, replacementPrice(),
                            comments, fieldValues(), m_attachments->changes());
        return;
    }
    items.UpdateWithValues(m_itemID,
                           {.CollectionNM = m_collectionName,
                            .ItemNM = name,
                            .PurchasePriceAM = purchase,
                            .AppraisalPriceAM = appraisal,
                            .ReplacePriceAM = priceValue(m_txtReplacePriceAM),
                            .CommentsTX = comments},
                           fieldValues(), m_attachments->changes());
}

void frmCollectionItem::ClearEntries() {
    for (QLineEdit* box :
         {m_txtItemNM, m_txtPurchasePriceAM, m_txtAppraisalPriceAM, m_txtReplacePriceAM})
        box->clear();
    m_txtCommentsTX->clear();
    m_attachments->load(AttachmentOwner::collectionItem(0));
    m_loadedPrices.clear();
    for (Slot& slot : m_slots)
        slot.control.clear();
}

void frmCollectionItem::RefreshMemoryLists() {
    for (Slot& slot : m_slots)
        slot.control.refreshChoices();
}

void frmCollectionItem::cmdSaveExit_Click() {
    RunCommand(this, [this] {
        if (!ValidEntry())
            return;
        SaveItem();
        closeSaved();
    });
}

void frmCollectionItem::cmdSaveNew_Click() {
    RunCommand(this, [this] {
        if (!isNew() || !ValidEntry())
            return;
        SaveItem();
        markSaved();
        emit itemAdded();
        ClearEntries();
        RefreshMemoryLists();
        m_txtItemNM->setFocus();
    });
}

void frmCollectionItem::cmdClose_Click() {
    reject();
}
