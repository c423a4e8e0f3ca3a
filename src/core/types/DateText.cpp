#include "types/DateText.h"

#include <QVector>
#include <algorithm>
#include <optional>

namespace {

QString withFourDigitYear(QString format) {
    if (format.contains(QLatin1String("yyyy")))
        return format;
    return format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
}

QString twoDigitYearFormat(const QString& fourDigitFormat) {
    QString format = fourDigitFormat;
    return format.replace(QLatin1String("yyyy"), QLatin1String("yy"));
}

// "YYYY-MM-DD" exactly, in ASCII digits; an invalid date for any other text.
QDate plainIsoDate(QStringView text) {
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return {};
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int ends[3] = {4, 7, 10};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < ends[p]; ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                return {};
            parts[p] = parts[p] * 10 + (text[i].unicode() - u'0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

// A stored date ("yyyy-MM-dd", ten characters). Every row of a listing holds some, and Qt's
// general parser takes microseconds for each; the plain form is read directly, and anything
// else is left to that parser, which decides as it always has.
QDate storedDate(const QString& text) {
    if (const QDate date = plainIsoDate(text); date.isValid())
        return date;
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
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

// One field of a date format: a day, month or year number ('d', 'M', 'y') written `width`
// digits wide at least, a month's short or long name ('M' of width 3 or 4), or text written as
// it is (letter 0).
struct DateField {
    char letter = 0;
    int width = 0;
    QString text = {};
};

// The fields of a format made of numbers, month names and separators ("M/d/yyyy",
// "d MMM yyyy"): d, dd, M, MM, MMM, MMMM, yy, yyyy and characters that are neither letters nor
// quotes. nullopt for any other format (names of days, quoted text), which the locale then
// writes.
std::optional<QVector<DateField>> dateFields(const QString& format) {
    QVector<DateField> fields;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        const char letter = c.toLatin1();
        const bool number = (letter == 'd' && run <= 2) || (letter == 'M' && run <= 4) ||
                            (letter == 'y' && (run == 2 || run == 4));
        if (number) {
            fields.append(DateField{letter, int(run)});
        } else if (c.isLetter() || c == QLatin1Char('\'')) {
            return std::nullopt;
        } else {
            if (fields.isEmpty() || fields.last().letter != 0)
                fields.append(DateField{});
            fields.last().text += format.mid(i, run);
        }
        i += run;
    }
    return fields;
}

// Writes the number, `width` digits wide at least, at `out`; returns the end.
char16_t* putNumber(char16_t* out, int value, int width) {
    char16_t digits[8];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0 && count < 8);
    for (int pad = count; pad < width; ++pad)
        *out++ = u'0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

// The short date format of the last locale asked for, its fields when it has only those
// dateFields reads, and the locale's month names: a list or a listing shows thousands of dates
// in one locale, and reading the format again for every one of them took most of the time
// they took to write.
struct ShortDateCache {
    QLocale locale;
    QString format;
    std::optional<QVector<DateField>> fields;
    QStringList shortMonths = {};
    QStringList longMonths = {};
};

// The most a short date written field by field takes (four-digit years): its text is built
// in a buffer of this size on the stack.
constexpr qsizetype ShortDateRoom = 128;

qsizetype longestText(const ShortDateCache& cache) {
    const auto longestOf = [](const QStringList& names) {
        qsizetype longest = 0;
        for (const QString& name : names)
            longest = std::max(longest, name.size());
        return longest;
    };
    qsizetype length = 0;
    for (const DateField& field : *cache.fields) {
        if (field.letter == 'M' && field.width == 3)
            length += longestOf(cache.shortMonths);
        else if (field.letter == 'M' && field.width == 4)
            length += longestOf(cache.longMonths);
        else if (field.letter != 0)
            length += 4;
        else
            length += field.text.size();
    }
    return length;
}

const ShortDateCache& shortDateCache(const QLocale& locale) {
    thread_local std::optional<ShortDateCache> cache;
    if (!cache || cache->locale != locale) {
        const QString format = withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
        // Fields written here use ASCII digits, as the locale does only when its zero is "0".
        auto fields = locale.zeroDigit() == QLatin1String("0") ? dateFields(format) : std::nullopt;
        cache = ShortDateCache{locale, format, std::move(fields)};
        for (int month = 1; month <= 12; ++month) {
            cache->shortMonths.append(locale.monthName(month, QLocale::ShortFormat));
            cache->longMonths.append(locale.monthName(month, QLocale::LongFormat));
        }
        if (cache->fields && longestText(*cache) > ShortDateRoom)
            cache->fields.reset();
    }
    return *cache;
}

} // namespace

namespace DateText {

QString shortDateFormat(const QLocale& locale) {
    return shortDateCache(locale).format;
}

QString shortDate(const QDate& date, const QLocale& locale) {
    if (!date.isValid())
        return {};
    const ShortDateCache& cache = shortDateCache(locale);
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    // Years of four digits only: the locale has its own ways with shorter and negative ones.
    if (!cache.fields || year < 1000 || year > 9999)
        return locale.toString(date, cache.format);
    // Built in place and made a string once: lists write thousands of these in a row.
    char16_t text[ShortDateRoom];
    char16_t* out = text;
    const auto put = [&out](QStringView piece) {
        out = std::copy(piece.utf16(), piece.utf16() + piece.size(), out);
    };
    for (const DateField& field : *cache.fields) {
        switch (field.letter) {
        case 'd':
            out = putNumber(out, day, field.width);
            break;
        case 'M':
            if (field.width == 3)
                put(cache.shortMonths.at(month - 1));
            else if (field.width == 4)
                put(cache.longMonths.at(month - 1));
            else
                out = putNumber(out, month, field.width);
            break;
        case 'y':
            out = putNumber(out, field.width == 2 ? year % 100 : year, field.width);
            break;
        default:
            put(field.text);
            break;
        }
    }
    return QString(reinterpret_cast<const QChar*>(text), out - text);
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
    // The form dates are stored in, read digit by digit: a list of thousands of dates is
    // read many times faster than through the format.
    if (const QDate plain = plainIsoDate(trimmed); plain.isValid())
        return plain;
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
