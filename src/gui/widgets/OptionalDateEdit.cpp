#include "widgets/OptionalDateEdit.h"

#include "app/Clock.h"
#include "widgets/DateBox.h"

#include <QCheckBox>
#include <QHBoxLayout>

OptionalDateEdit::OptionalDateEdit(QWidget* parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_edit(new DateBox(this)) {
    m_check->setObjectName(QStringLiteral("chkHasDate"));
    m_check->setToolTip(tr("Tick to enter a date; clear for no date"));
    m_edit->setObjectName(QStringLiteral("dteDate"));
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
        // Ticking asks for a date: a box emptied before offers today's.
        if (on && m_edit->text().trimmed().isEmpty())
            m_edit->setDate(Clock::today());
        emit valueChanged(value());
    });
    connect(m_edit, &DateBox::dateChanged, this, [this] {
        if (!isNull())
            emit valueChanged(value());
    });
}

bool OptionalDateEdit::isNull() const {
    return !m_check->isChecked();
}

QVariant OptionalDateEdit::value() const {
    const QDate shown = date();
    return shown.isValid() ? QVariant(shown) : QVariant();
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

void OptionalDateEdit::setText(const QString& text) {
    m_edit->setText(text);
    m_check->setChecked(true);
}

QString OptionalDateEdit::text() const {
    return isNull() ? QString() : m_edit->text();
}

void OptionalDateEdit::clear() {
    m_check->setChecked(false);
}
