#pragma once

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QVariant>

// The texts of dates in the current locale's short form, remembered as they are made: a report
// or an export writes the same few thousand dates over and over, and formatting a date in the
// locale's pattern costs many times more than finding its text again. The texts are exactly
// DateText's; a change of the default locale starts the memory afresh.
class DateTextCache {
public:
    // DateText::shortDate(date).
    const QString& shortDate(const QDate& date);
    // DateText::displayText(value) for any value.
    QString displayText(const QVariant& value);

private:
    QLocale m_locale;
    QHash<QDate, QString> m_texts;
};
