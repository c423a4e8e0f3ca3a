#pragma once

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;
class QFrame;

// A date box. The date is typed whole, like any text, in the short form ("3/15/2024", also with
// a two-digit year) or as ISO ("2024-03-15"); the button at its right end, Alt+Down or F4 open
// a calendar to pick one instead, and Tab moves on as from any text box. On leaving the box a
// date it reads is shown in the short form; a text that names no date stays as typed, so that
// the window can refuse it when saving (or keep a stored text it cannot read).
class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    // The day the text names; an invalid date when the box is empty or names none.
    QDate date() const;
    // Shows the date in the short form; an invalid date empties the box.
    void setDate(const QDate& date);

    // Opens the calendar on the date shown (today when there is none).
    void showCalendar();
    // The calendar, once it was opened.
    QCalendarWidget* calendar() const { return m_calendar; }

    QSize sizeHint() const override;

signals:
    // The day the text names changed; invalid when it names none.
    void dateChanged(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createCalendar();
    void calendarPicked(const QDate& date);
    void showInShortForm();

    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QDate m_date;
};
