#include "windows/collections/FieldControl.h"

#include "app/Clock.h"
#include "app/General.h"
#include "app/Globals.h"
#include "records/Collection.h"
#include "types/DateText.h"
#include "widgets/ComboHelpers.h"
#include "widgets/DateBox.h"
#include "widgets/OptionalDateEdit.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

// How one kind of control is made, read, written and emptied.
struct FieldControl::Kind {
    const char* name;
    const char* prefix; // of the object name: prefix + "_" + slot
    int widthTwips;     // 0: the control's natural width
    QWidget* (*create)(const Setup& setup, int maxLength, QWidget* parent);
    QString (*value)(const QWidget* widget);
    void (*setValue)(QWidget* widget, const QString& text);
    void (*clear)(QWidget* widget);
    void (*refresh)(QWidget* widget, const Setup& setup); // nullptr: nothing to refresh
    // Whether a stored value comes back exactly as stored while the control still shows what
    // it was given (a date in a form the control would write differently).
    bool keepsUntouched;
};

namespace {

using Setup = FieldControl::Setup;

// The widths of the text column tblCollectionItemField.FieldValueTX and of an amount's text.
constexpr int ValueLength = 255;
constexpr int AmountLength = 15;

// Text boxes: String, the numbers and Currency.
QWidget* createTextBox(const Setup&, int maxLength, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(maxLength);
    return box;
}
QString textBoxValue(const QWidget* widget) {
    return static_cast<const QLineEdit*>(widget)->text().trimmed();
}
void setTextBoxValue(QWidget* widget, const QString& text) {
    static_cast<QLineEdit*>(widget)->setText(text);
}
void clearTextBox(QWidget* widget) {
    static_cast<QLineEdit*>(widget)->clear();
}

// A fixed list: a choice among the pieces of FieldListTX, taken as they are.
QWidget* createListBox(const Setup& setup, int, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(setup.listText.split(QLatin1Char(';')));
    box->setCurrentIndex(-1);
    return box;
}
QString listBoxValue(const QWidget* widget) {
    const auto* box = static_cast<const QComboBox*>(widget);
    return box->currentIndex() < 0 ? QString() : box->currentText();
}
// A value that is no longer in the list shows no choice.
void setListBoxValue(QWidget* widget, const QString& text) {
    auto* box = static_cast<QComboBox*>(widget);
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}
void keepListChoice(QWidget*) {}

// A memory list: free text, with the values already used in the field offered as choices.
void fillMemoryList(QWidget* widget, const Setup& setup) {
    auto* box = static_cast<QComboBox*>(widget);
    const QString shown = box->currentText();
    const Recordset values = gData->Collection().Field().MemoryList(setup.collection, setup.slot);
    box->clear();
    for (const QVariant& value : values.columnValues(QStringLiteral("FieldValueTX"))) {
        // An optional field left empty stores the empty text, which is no choice to offer.
        if (!value.toString().isEmpty())
            box->addItem(value.toString());
    }
    box->setCurrentIndex(-1);
    box->setEditText(shown);
}
QWidget* createComboBox(const Setup& setup, int maxLength, QWidget* parent) {
    auto* box = new QComboBox(parent);
    EnableTypeAhead(box);
    box->lineEdit()->setMaxLength(maxLength);
    fillMemoryList(box, setup);
    return box;
}
QString comboBoxValue(const QWidget* widget) {
    return static_cast<const QComboBox*>(widget)->currentText().trimmed();
}
void setComboBoxValue(QWidget* widget, const QString& text) {
    static_cast<QComboBox*>(widget)->setEditText(text);
}
void clearComboBox(QWidget* widget) {
    auto* box = static_cast<QComboBox*>(widget);
    box->setCurrentIndex(-1);
    box->clearEditText();
}

// Yes/No, stored as "1" or "0".
QWidget* createCheckBox(const Setup&, int, QWidget* parent) {
    return new QCheckBox(parent);
}
QString checkBoxValue(const QWidget* widget) {
    return static_cast<const QCheckBox*>(widget)->isChecked() ? QStringLiteral("1")
                                                              : QStringLiteral("0");
}
void setCheckBoxValue(QWidget* widget, const QString& text) {
    static_cast<QCheckBox*>(widget)->setChecked(General::ParseNumber(text).value_or(0.0) != 0.0);
}
void clearCheckBox(QWidget* widget) {
    static_cast<QCheckBox*>(widget)->setChecked(false);
}

// A date, stored as ISO ("YYYY-MM-DD") and shown in the short form. A required date always
// starts with one (today); an optional one has a box to tick and starts without a date. A
// stored value in a short form an older version wrote is read as well; one that names no date
// for certain is shown as it is.
QWidget* createDatePicker(const Setup& setup, int, QWidget* parent) {
    if (!setup.required)
        return new OptionalDateEdit(parent);
    auto* box = new DateBox(parent);
    box->setDate(Clock::today());
    return box;
}
QString dateText(const QString& typed) {
    const QString text = typed.trimmed();
    const QDate date = DateText::parseDate(text);
    // A text that names no date is given back as typed, for the check to refuse.
    return date.isValid() ? DateText::storageText(date) : text;
}
QString datePickerValue(const QWidget* widget) {
    if (const auto* optional = qobject_cast<const OptionalDateEdit*>(widget))
        return dateText(optional->text());
    return dateText(static_cast<const DateBox*>(widget)->text());
}
void setDatePickerValue(QWidget* widget, const QString& text) {
    auto* optional = qobject_cast<OptionalDateEdit*>(widget);
    if (text.isEmpty()) {
        if (optional)
            optional->clear();
        return;
    }
    const QDate date = DateText::readStoredFieldDate(text);
    if (optional && date.isValid())
        optional->setDate(date);
    else if (optional)
        optional->setText(text);
    else if (date.isValid())
        static_cast<DateBox*>(widget)->setDate(date);
    else
        static_cast<DateBox*>(widget)->setText(text);
}
void clearDatePicker(QWidget* widget) {
    if (auto* optional = qobject_cast<OptionalDateEdit*>(widget))
        optional->clear();
    else
        static_cast<DateBox*>(widget)->setDate(Clock::today());
}

const FieldControl::Kind TextBox{"TEXTBOX",     "txtField",   3495,
                                 createTextBox, textBoxValue, setTextBoxValue,
                                 clearTextBox,  nullptr,      false};
const FieldControl::Kind ListBox{"LISTBOX",      "lstField",   3495,
                                 createListBox,  listBoxValue, setListBoxValue,
                                 keepListChoice, nullptr,      false};
const FieldControl::Kind ComboBox{"COMBOBOX",     "cboField",     3495,
                                  createComboBox, comboBoxValue,  setComboBoxValue,
                                  clearComboBox,  fillMemoryList, false};
const FieldControl::Kind CheckBox{"CHECKBOX",     "chkField",    0,
                                  createCheckBox, checkBoxValue, setCheckBoxValue,
                                  clearCheckBox,  nullptr,       false};
const FieldControl::Kind DatePicker{"DATEPICKER",     "dtpField",      2400,
                                    createDatePicker, datePickerValue, setDatePickerValue,
                                    clearDatePicker,  nullptr,         true};

bool notEmpty(const QString& value) {
    return !value.isEmpty();
}
bool wholeNumber(const QString& value) {
    return General::IsWholeNumber(value);
}
bool number(const QString& value) {
    return General::IsNumeric(value);
}
bool anything(const QString&) {
    return true;
}
// What a date box gives is ISO when the typed text names a date.
bool isoDate(const QString& value) {
    return DateText::fromStorage(value).typeId() == QMetaType::QDate;
}
bool money(const QString& value) {
    return General::IsValidMoney(value, true);
}

// Every field type, by its code (colFieldType): the control it is entered with, the rule its
// value meets, and how many characters its text box takes.
struct FieldType {
    const FieldControl::Kind* kind;
    bool (*good)(const QString& value);
    int maxLength;
};
const FieldType FieldTypes[] = {
    {&TextBox, notEmpty, ValueLength},    // String
    {&ListBox, notEmpty, ValueLength},    // String (Fixed List)
    {&ComboBox, notEmpty, ValueLength},   // String (Memory List)
    {&TextBox, wholeNumber, ValueLength}, // Number - Integer
    {&TextBox, number, ValueLength},      // Number - Float
    {&CheckBox, anything, 0},             // Yes/No
    {&DatePicker, isoDate, 0},            // Date
    {&TextBox, money, AmountLength},      // Currency
};

const FieldType* fieldType(int type) {
    if (type < 0 || type >= int(std::size(FieldTypes)))
        return nullptr;
    return &FieldTypes[type];
}

} // namespace

FieldControl::FieldControl(const Kind* kind, QWidget* widget, const Setup& setup)
    : m_kind(kind)
    , m_widget(widget)
    , m_setup(setup) {}

FieldControl FieldControl::create(const Setup& setup, QWidget* parent) {
    const FieldType* type = fieldType(setup.type);
    if (!type)
        return {};
    QWidget* widget = type->kind->create(setup, type->maxLength, parent);
    widget->setObjectName(
        QStringLiteral("%1_%2").arg(QLatin1String(type->kind->prefix)).arg(setup.slot));
    const int width = type->kind->widthTwips > 0 ? Twips::toPixels(type->kind->widthTwips)
                                                 : widget->sizeHint().width();
    widget->resize(width, widget->sizeHint().height());
    return FieldControl(type->kind, widget, setup);
}

QString FieldControl::kindOf(int type) {
    const FieldType* entry = fieldType(type);
    return entry ? QLatin1String(entry->kind->name) : QString();
}

bool FieldControl::isGood(int type, const QString& value) {
    const FieldType* entry = fieldType(type);
    return entry && entry->good(value);
}

bool FieldControl::untouched() const {
    return m_keepStored && m_kind->value(m_widget) == m_shownValue;
}

QString FieldControl::value() const {
    if (isNull())
        return {};
    return untouched() ? m_storedText : m_kind->value(m_widget);
}

void FieldControl::setValue(const QString& text) {
    if (isNull())
        return;
    m_kind->setValue(m_widget, text);
    m_keepStored = m_kind->keepsUntouched && !text.isEmpty();
    m_storedText = text;
    m_shownValue = m_kind->value(m_widget);
}

bool FieldControl::isGood() const {
    return !isNull() && (untouched() || isGood(m_setup.type, value()));
}

void FieldControl::clear() {
    if (isNull())
        return;
    m_kind->clear(m_widget);
    m_keepStored = false;
}

void FieldControl::refreshChoices() {
    if (!isNull() && m_kind->refresh)
        m_kind->refresh(m_widget, m_setup);
}
