#include "widgets/OptionalDateEdit.h"

#include "app/Clock.h"
#include "types/DateText.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

OptionalDateEdit::OptionalDateEdit(QWidget* parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_edit(new QDateEdit(this)) {
    m_check->setObjectName(QStringLiteral("chkHasDate"));
    m_check->setToolTip(tr("Tick to enter a date; clear for no date"));
    m_edit->setObjectName(QStringLiteral("dteDate"));
    m_edit->setCalendarPopup(true);
    m_edit->setDisplayFormat(DateText::shortDateFormat());
    m_edit->setDate(Clock::today());
    m_edit->setEnabled(false);
    setFocusProxy(m_edit);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);

    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        m_edit->setEnabled(on);
        emit valueChanged(value());
    });
    connect(m_edit, &QDateEdit::dateChanged, this, [this] {
        if (!isNull())
            emit valueChanged(value());
    });
}

bool OptionalDateEdit::isNull() const {
    return !m_check->isChecked();
}

QVariant OptionalDateEdit::value() const {
    return isNull() ? QVariant() : QVariant(m_edit->date());
}

QDate OptionalDateEdit::date() const {
    return isNull() ? QDate() : m_edit->date();
}

void OptionalDateEdit::setValue(const QVariant& value) {
    QDate date;
    if (value.typeId() == QMetaType::QDate)
        date = value.toDate();
    else if (value.typeId() == QMetaType::QDateTime)
        date = value.toDateTime().date();
    if (date.isValid())
        setDate(date);
    else
        clear();
}

void OptionalDateEdit::setDate(const QDate& date) {
    if (!date.isValid()) {
        clear();
        return;
    }
    m_edit->setDate(date);
    m_check->setChecked(true);
}

void OptionalDateEdit::clear() {
    m_check->setChecked(false);
}
