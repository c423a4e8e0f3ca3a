#pragma once

#include <QDate>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date field that can hold no date: a check box and a date edit. Unchecked means Null and
// greys the date out; checking it offers the date last shown (today at first).
class OptionalDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    bool isNull() const;
    // A QDate, or a null QVariant when no date is set.
    QVariant value() const;
    QDate date() const;
    // A QDate (or a QDateTime, whose date is taken) sets and checks; anything else clears.
    void setValue(const QVariant& value);
    void setDate(const QDate& date);
    void clear();

    QCheckBox* checkBox() const { return m_check; }
    QDateEdit* dateEdit() const { return m_edit; }

signals:
    void valueChanged(const QVariant& value);

private:
    QCheckBox* m_check;
    QDateEdit* m_edit;
};
