#include "types/DateText.h"

namespace {

// The number written by the digits text[from, from + count), or -1 when one is not a digit.
int digitsAt(const QString& text, int from, int count) {
    int number = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c - u'0');
    }
    return number;
}

// A stored date ("yyyy-MM-dd", ten characters). Every row of a listing holds some, and Qt's
// general parser takes microseconds for each; the plain form is read directly, and anything
// else is left to that parser, which decides as it always has.
QDate storedDate(const QString& text) {
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (year >= 0 && month >= 0 && day >= 0 && text.at(4) == u'-' && text.at(7) == u'-') {
        const QDate date(year, month, day);
        if (date.isValid())
            return date;
    }
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QString withFourDigitYear(QString format) {
    if (format.contains(QLatin1String("yyyy")))
        return format;
    return format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
}

QString twoDigitYearFormat(const QString& fourDigitFormat) {
    QString format = fourDigitFormat;
    return format.replace(QLatin1String("yyyy"), QLatin1String("yy"));
}

QString timeWithSecondsFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("ss"))) {
        const int minutes = int(format.indexOf(QLatin1String("mm")));
        if (minutes >= 0)
            format.insert(minutes + 2, QLatin1String(":ss"));
    }
    return format;
}

QDate readTypedDate(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString fourDigit = DateText::shortDateFormat(locale);
    QDate date = locale.toDate(trimmed, fourDigit);
    if (date.isValid())
        return date;
    date = locale.toDate(trimmed, twoDigitYearFormat(fourDigit));
    if (date.isValid()) {
        // Qt reads "yy" as 19yy; the window for two-digit years is 1930-2029.
        if (date.year() < 1930)
            date = date.addYears(100);
        return date;
    }
    date = QDate::fromString(trimmed, Qt::ISODate);
    if (date.isValid())
        return date;
    return QDateTime::fromString(trimmed, Qt::ISODate).date();
}

} // namespace

namespace DateText {

QString shortDateFormat(const QLocale& locale) {
    return withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
}

QString shortDate(const QDate& date, const QLocale& locale) {
    if (!date.isValid())
        return {};
    return locale.toString(date, shortDateFormat(locale));
}

QString generalDate(const QDateTime& dateTime, const QLocale& locale) {
    if (!dateTime.isValid())
        return {};
    QString text = shortDate(dateTime.date(), locale);
    if (dateTime.time() != QTime(0, 0))
        text += QLatin1Char(' ') + locale.toString(dateTime.time(), timeWithSecondsFormat(locale));
    return text;
}

QString displayText(const QVariant& value, const QLocale& locale) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return shortDate(value.toDate(), locale);
    if (value.typeId() == QMetaType::QDateTime)
        return generalDate(value.toDateTime(), locale);
    return value.toString();
}

QString storageText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString storageText(const QDateTime& dateTime) {
    if (dateTime.time() == QTime(0, 0))
        return storageText(dateTime.date());
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant fromStorage(const QString& text) {
    if (text.size() == 10) {
        const QDate date = storedDate(text);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    const QDateTime dateTime = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return dateTime.isValid() ? QVariant(dateTime) : QVariant();
}

QDate parseDate(const QString& text, const QLocale& locale) {
    const QDate date = readTypedDate(text, locale);
    // Dates are stored with four-digit years; a year before 1 (which the locale's parser takes
    // from "1/3/-1999") or after 9999 has no stored form.
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    return date;
}

QDate readStoredFieldDate(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    const QDate iso = QDate::fromString(trimmed, QStringLiteral("yyyy-MM-dd"));
    if (iso.isValid())
        return iso;
    const QDate local = parseDate(trimmed, locale);
    if (local.isValid())
        return local;
    const QDate monthFirst = QDate::fromString(trimmed, QStringLiteral("M/d/yyyy"));
    const QDate dayFirst = QDate::fromString(trimmed, QStringLiteral("d/M/yyyy"));
    // A locale that writes numeric dates with "/" decides its own order, with or without
    // leading zeros.
    const QString format = shortDateFormat(locale);
    if (format.contains(QLatin1Char('/'))) {
        const bool dayFirstLocale =
            format.indexOf(QLatin1Char('d')) < format.indexOf(QLatin1Char('M'));
        if (dayFirstLocale ? dayFirst.isValid() : monthFirst.isValid())
            return dayFirstLocale ? dayFirst : monthFirst;
    }
    if (monthFirst.isValid() && dayFirst.isValid())
        return monthFirst == dayFirst ? monthFirst : QDate();
    return monthFirst.isValid() ? monthFirst : dayFirst;
}

qint64 daysBetween(const QDate& from, const QDate& to) {
    return from.daysTo(to);
}

} // namespace DateText
