#pragma once

#include <QDate>
#include <QVariant>
#include <QWidget>

class DateBox;
class QCheckBox;

// A date field that can hold no date: a check box and a date box (typed, or picked from its
// calendar). Unchecked means Null and greys the date out; checking it offers the date last
// shown (today at first).
class OptionalDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    bool isNull() const;
    // A QDate, or a null QVariant when no date is set or the text names none.
    QVariant value() const;
    // The date shown; invalid when there is none, or when the text typed names none.
    QDate date() const;
    // A QDate (or a QDateTime, whose date is taken) sets and checks; anything else clears.
    void setValue(const QVariant& value);
    void setDate(const QDate& date);
    // Checks the box and shows the text as it is, also one that names no date (a stored value
    // the program cannot read is shown rather than lost).
    void setText(const QString& text);
    // The text of the date box; "" when no date is set.
    QString text() const;
    void clear();

    QCheckBox* checkBox() const { return m_check; }
    DateBox* dateEdit() const { return m_edit; }

signals:
    void valueChanged(const QVariant& value);

private:
    QCheckBox* m_check;
    DateBox* m_edit;
};
