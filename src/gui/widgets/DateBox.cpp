#include "widgets/DateBox.h"

#include "app/Clock.h"
#include "types/DateText.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

DateBox::DateBox(QWidget* parent)
    : QLineEdit(parent) {
    setPlaceholderText(DateText::shortDateFormat());
    QIcon icon(QStringLiteral(":/icons/Calendar.svg"));
    icon.addFile(QStringLiteral(":/icons/Calendar-disabled.svg"), {}, QIcon::Disabled);
    QAction* open = addAction(icon, QLineEdit::TrailingPosition);
    open->setObjectName(QStringLiteral("actCalendar"));
    open->setToolTip(tr("Choose the date from a calendar (Alt+Down)"));
    connect(open, &QAction::triggered, this, &DateBox::showCalendar);
    connect(this, &QLineEdit::textChanged, this, [this] {
        const QDate typed = date();
        if (typed != m_date) {
            m_date = typed;
            emit dateChanged(typed);
        }
    });
    connect(this, &QLineEdit::editingFinished, this, &DateBox::showInShortForm);
}

QDate DateBox::date() const {
    return DateText::parseDate(text());
}

void DateBox::setDate(const QDate& date) {
    setText(DateText::shortDate(date));
}

void DateBox::showInShortForm() {
    const QDate typed = date();
    if (typed.isValid() && text() != DateText::shortDate(typed))
        setDate(typed);
}

QSize DateBox::sizeHint() const {
    // Room for the longest short date and the calendar button.
    QSize size = QLineEdit::sizeHint();
    const int textWidth = fontMetrics().horizontalAdvance(DateText::shortDate(QDate(2000, 12, 28)));
    size.setWidth(std::max(size.width(), textWidth + 2 * size.height() + 8));
    return size;
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    const bool altDown =
        event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier);
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateBox::createCalendar() {
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("frmCalendar"));
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setObjectName(QStringLiteral("calDate"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DateBox::calendarPicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &DateBox::calendarPicked);
}

void DateBox::showCalendar() {
    if (!isEnabled() || isReadOnly())
        return;
    if (!m_popup)
        createCalendar();
    const QDate shown = date();
    m_calendar->setSelectedDate(shown.isValid() ? shown : Clock::today());
    m_popup->adjustSize();
    // Below the box, or above it when the screen ends first.
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + m_popup->height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        at.setX(std::clamp(at.x(), room.left(),
                           std::max(room.left(), room.right() - m_popup->width())));
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus();
}

void DateBox::calendarPicked(const QDate& date) {
    m_popup->hide();
    setDate(date);
    setFocus();
}
