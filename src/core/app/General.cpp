#include "app/General.h"

#include "app/Settings.h"
#include "data/DbError.h"
#include "records/colFieldType.h"
#include "types/DateText.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

// A Date field's value: the day it names, read from ISO or from a short form older versions
// wrote; a text that names no day for certain is left as it is, never guessed.
QVariant storedDate(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return value;
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = General::ValueText(value);
    const QDate date = DateText::readStoredFieldDate(text);
    return date.isValid() ? QVariant(date) : QVariant(text);
}

QString yesNoText(const QVariant& value) {
    const QString text = General::ValueText(value).trimmed();
    if (text.isEmpty())
        return {};
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("True");
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("False");
    const auto number = General::ParseNumber(text);
    if (!number)
        return text;
    return *number != 0 ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

namespace General {

QString GetAppTitle() {
    return QString::fromLatin1(Settings::ApplicationName);
}

QString ValueText(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return DateText::displayText(value);
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

QVariant NullToDefault(const QVariant& value, short kind) {
    if (value.isNull()) {
        switch (kind) {
        case KindText:
            return QString();
        case KindInteger16:
        case KindInteger32:
        case KindSingle:
        case KindDouble:
            return 0;
        default:
            return {};
        }
    }
    const auto number = [&value]() -> double {
        if (value.metaType() == QMetaType::fromType<Currency>())
            return value.value<Currency>().toDouble();
        if (value.typeId() == QMetaType::QString)
            return ParseNumber(value.toString()).value_or(0.0);
        return value.toDouble();
    };
    switch (kind) {
    case KindText:
        return ValueText(value);
    case KindInteger16:
        return QVariant::fromValue(short(std::lround(number())));
    case KindInteger32:
        return QVariant::fromValue(int(std::lround(number())));
    case KindSingle:
        return QVariant::fromValue(float(number()));
    case KindDouble:
        return number();
    default:
        return {};
    }
}

QString EscapeQuotes(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('\''), QLatin1String("''"));
}

std::optional<double> ParseNumber(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*([-+]?)\s*\$?\s*([-+]?)(\d{1,3}(?:,\d{3})+|\d+|\d*(?=\.\d))(\.\d*)?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    if (!match.captured(1).isEmpty() && !match.captured(2).isEmpty())
        return std::nullopt;
    QString digits = match.captured(3);
    digits.remove(QLatin1Char(','));
    bool ok = false;
    double value = QLocale::c().toDouble(digits + match.captured(4), &ok);
    if (!ok)
        return std::nullopt;
    if (match.captured(1) == QLatin1String("-") || match.captured(2) == QLatin1String("-"))
        value = -value;
    return value;
}

std::optional<double> NumberOf(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toDouble();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    default:
        return ParseNumber(value.toString());
    }
}

bool IsNumeric(const QVariant& value) {
    return NumberOf(value).has_value();
}

bool IsWholeNumber(const QVariant& value) {
    const auto number = NumberOf(value);
    if (!number)
        return false;
    if (*number < double(std::numeric_limits<qint32>::min()) - 0.5 ||
        *number >= double(std::numeric_limits<qint32>::max()) + 0.5)
        return false;
    return *number == std::nearbyint(*number);
}

bool IsValidMoney(const QVariant& value, bool allowDollar) {
    // The same grammar that reads the amount when it is stored, so that whatever passes here
    // can be saved; at most two decimals, not negative, and within the whole units a user may
    // enter.
    const auto amount = Currency::parse(value.toString(), allowDollar, 2);
    if (!amount)
        return false;
    const Currency largest = Currency::fromUnits(Currency::MaxWholeUnits * Currency::Scale);
    return *amount >= Currency() && *amount <= largest;
}

std::optional<Currency> ToCurrency(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
        return Currency::tryFromWhole(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return Currency::fromDouble(value.toDouble());
    default:
        return Currency::parse(value.toString());
    }
}

Currency ReplacementByPercent(Currency purchase) {
    const double percent = Settings::number(SettingKeys::ReplacePercent, 100);
    const auto replacement = purchase.percentOf(percent);
    if (!replacement)
        throw DbError(QStringLiteral("The replacement price, %1 percent of %2, is outside the "
                                     "range of amounts.")
                          .arg(QString::number(percent, 'g', 15),
                               purchase.format(QStringLiteral("$#,##0.00"))));
    return *replacement;
}

QString FormatPrice(const QVariant& value, bool withDollar) {
    return FormatPrice(value, withDollar, Settings::integer(SettingKeys::RoundPrices, 0));
}

QString FormatPrice(const QVariant& value, bool withDollar, int round) {
    const auto amount = ToCurrency(value);
    if (!amount)
        return value.isNull() ? QString() : value.toString();
    const QString pattern = round == 1 ? QStringLiteral("0") : QStringLiteral("0.00");
    return (withDollar ? QStringLiteral("$") : QString()) + amount->format(pattern);
}

QString FieldValueText(const QVariant& value, short fieldKind) {
    return ValueText(FieldValue(value, fieldKind));
}

QVariant FieldValue(const QVariant& value, short fieldKind) {
    if (fieldKind == colFieldType::Money)
        return FormatPrice(value, true);
    return FieldValue(value, fieldKind, 0);
}

QVariant FieldValue(const QVariant& value, short fieldKind, int roundPrices) {
    switch (fieldKind) {
    case colFieldType::String:
    case colFieldType::FixedList:
    case colFieldType::MemoryList:
    case colFieldType::Integer:
    case colFieldType::Float:
        return ValueText(value);
    case colFieldType::Date:
        return storedDate(value);
    case colFieldType::YesNo:
        return yesNoText(value);
    case colFieldType::Money:
        return FormatPrice(value, true, roundPrices);
    default:
        return QString();
    }
}

} // namespace General
