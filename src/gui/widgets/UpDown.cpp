#include "widgets/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this)) {
    m_up->setObjectName(QStringLiteral("btnUp"));
    m_down->setObjectName(QStringLiteral("btnDown"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFixedSize(18, 12);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    setFocusPolicy(Qt::StrongFocus);
}

void UpDown::setValue(int value) {
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value) {
        showValue();
        return;
    }
    m_value = value;
    showValue();
    emit valueChanged(m_value);
}

void UpDown::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void UpDown::setBuddy(QLabel* label) {
    m_buddy = label;
    showValue();
}

void UpDown::stepUp() {
    setValue(m_value + 1);
}

void UpDown::stepDown() {
    setValue(m_value - 1);
}

void UpDown::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && m_buddy)
        m_buddy->setEnabled(isEnabled());
    QWidget::changeEvent(event);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        stepUp();
        break;
    case Qt::Key_Down:
        stepDown();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void UpDown::showValue() {
    if (m_buddy)
        m_buddy->setText(QString::number(m_value));
    m_up->setEnabled(m_value < m_maximum);
    m_down->setEnabled(m_value > m_minimum);
}
