#include "types/Currency.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Magnitudes are worked out unsigned, so that the most negative amount, whose magnitude has no
// signed 64-bit form, is formatted like any other.
quint64 magnitudeOf(qint64 units) {
    return units < 0 ? 0 - quint64(units) : quint64(units);
}

quint64 powerOfTen(int exponent) {
    quint64 power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// The signed count for a sign and a magnitude, or nullopt when it does not fit.
std::optional<qint64> signedUnits(bool negative, quint64 magnitude) {
    constexpr quint64 largest = quint64(std::numeric_limits<qint64>::max());
    if (!negative)
        return magnitude <= largest ? std::optional<qint64>(qint64(magnitude)) : std::nullopt;
    if (magnitude <= largest)
        return -qint64(magnitude);
    if (magnitude == largest + 1)
        return std::numeric_limits<qint64>::min();
    return std::nullopt;
}

// The form amounts are mostly stored and typed in, "1234.5" or "-12" (ASCII digits, at most one
// point with digits after it, nothing else), read without the pattern, which costs far more
// than the reading; nullopt for any other text, which the pattern then reads.
std::optional<qint64> plainUnits(QStringView text, int maxDecimals) {
    // Up to 14 whole digits: the units then fit whatever the digits are.
    constexpr int MostWholeDigits = 14;
    constexpr int Decimals = 4;
    const auto digitAt = [&text](qsizetype i) {
        return i < text.size() && text[i] >= u'0' && text[i] <= u'9' ? int(text[i].unicode() - u'0')
                                                                     : -1;
    };
    qsizetype i = !text.isEmpty() && text[0] == u'-' ? 1 : 0;
    const bool negative = i == 1;
    const qsizetype wholeStart = i;
    quint64 magnitude = 0;
    for (int digit = digitAt(i); digit >= 0; digit = digitAt(++i))
        magnitude = magnitude * 10 + quint64(digit);
    if (i == wholeStart || i - wholeStart > MostWholeDigits)
        return std::nullopt;
    int decimals = 0;
    if (i < text.size()) {
        if (text[i] != u'.')
            return std::nullopt;
        for (int digit = digitAt(++i); digit >= 0 && decimals < Decimals; digit = digitAt(++i)) {
            magnitude = magnitude * 10 + quint64(digit);
            ++decimals;
        }
        if (decimals == 0 || decimals > maxDecimals || i != text.size())
            return std::nullopt;
    }
    magnitude *= powerOfTen(Decimals - decimals);
    return negative ? -qint64(magnitude) : qint64(magnitude);
}

} // namespace

Currency Currency::fromWhole(qint64 whole) {
    const auto amount = tryFromWhole(whole);
    if (!amount)
        throw std::overflow_error("The amount is outside the range of amounts.");
    return *amount;
}

std::optional<Currency> Currency::tryFromWhole(qint64 whole) {
    qint64 units = 0;
    if (__builtin_mul_overflow(whole, Scale, &units))
        return std::nullopt;
    return Currency(units);
}

std::optional<Currency> Currency::fromDouble(double value) {
    return fromRealUnits(value * double(Scale));
}

std::optional<Currency> Currency::fromRealUnits(double tenThousandths) {
    if (!std::isfinite(tenThousandths))
        return std::nullopt;
    const double rounded = std::round(tenThousandths);
    // 2^63 is exactly representable; every double below it (and at or above -2^63) converts.
    constexpr double limit = 9223372036854775808.0;
    if (rounded >= limit || rounded < -limit)
        return std::nullopt;
    return Currency(qint64(rounded));
}

std::optional<Currency> Currency::parse(const QString& text, bool allowDollar, int maxDecimals) {
    if (const auto units = plainUnits(text, maxDecimals))
        return Currency(*units);
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([-+]?)\s*(\$?)\s*([-+]?)(\d{1,3}(?:,\d{3})+|\d*)(?:\.(\d*))?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    if (!match.captured(2).isEmpty() && !allowDollar)
        return std::nullopt;
    if (!match.captured(1).isEmpty() && !match.captured(3).isEmpty())
        return std::nullopt;
    QString whole = match.captured(4);
    whole.remove(QLatin1Char(','));
    const QString fraction = match.captured(5);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    if (fraction.size() > std::min(maxDecimals, 4))
        return std::nullopt;

    // Digit by digit, so that no length of text (leading zeros included) can overflow.
    quint64 magnitude = 0;
    const QString digits = whole + (fraction + QStringLiteral("0000")).left(4);
    for (const QChar digit : digits) {
        if (__builtin_mul_overflow(magnitude, quint64(10), &magnitude) ||
            __builtin_add_overflow(magnitude, quint64(digit.digitValue()), &magnitude))
            return std::nullopt;
    }
    const bool negative =
        match.captured(1) == QLatin1String("-") || match.captured(3) == QLatin1String("-");
    const auto units = signedUnits(negative, magnitude);
    if (!units)
        return std::nullopt;
    return Currency(*units);
}

namespace {

// The text of `units` in the pattern, written from the right to the end of `buffer`; returns
// where it starts. A grid or a listing formats an amount per row, so this makes no strings.
template <class Pattern>
const char* writeFormatted(qint64 units, Pattern body, char* const buffer, qsizetype size) {
    const bool dollar = body.startsWith(QLatin1Char('$'));
    if (dollar)
        body = body.mid(1);
    const qsizetype point = body.indexOf(QLatin1Char('.'));
    const int decimals = std::clamp(point < 0 ? 0 : int(body.size() - point - 1), 0, 4);
    const bool grouped = body.contains(QLatin1Char(','));

    // Rounded to the pattern's decimals, halves away from zero; the magnitude of the largest
    // amount plus half a step still fits an unsigned 64-bit number.
    const quint64 step = powerOfTen(4 - decimals);
    const quint64 scaled = (magnitudeOf(units) + step / 2) / step;
    const bool negative = units < 0 && scaled != 0;
    const quint64 divisor = powerOfTen(decimals);

    char* start = buffer + size;
    quint64 fraction = scaled % divisor;
    for (int i = 0; i < decimals; ++i) {
        *--start = char('0' + fraction % 10);
        fraction /= 10;
    }
    if (decimals > 0)
        *--start = '.';
    quint64 whole = scaled / divisor;
    int digits = 0;
    do {
        if (grouped && digits > 0 && digits % 3 == 0)
            *--start = ',';
        *--start = char('0' + whole % 10);
        whole /= 10;
        ++digits;
    } while (whole != 0);
    if (dollar)
        *--start = '$';
    if (negative)
        *--start = '-';
    return start;
}

} // namespace

QString Currency::format(const QString& pattern) const {
    char text[FormattedSize];
    const char* start = writeFormatted(m_units, QStringView(pattern), text, FormattedSize);
    return QString::fromLatin1(start, text + FormattedSize - start);
}

QByteArrayView Currency::format(QLatin1StringView pattern, char (&buffer)[FormattedSize]) const {
    const char* start = writeFormatted(m_units, pattern, buffer, FormattedSize);
    return QByteArrayView(start, buffer + FormattedSize - start);
}

QString Currency::toString() const {
    const quint64 magnitude = magnitudeOf(m_units);
    QString text = QString::number(magnitude / Scale);
    if (const quint64 fraction = magnitude % Scale) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return m_units < 0 ? QLatin1Char('-') + text : text;
}

std::optional<Currency> Currency::percentOf(double percent) const {
    return fromRealUnits(double(m_units) * percent / 100.0);
}

Currency Currency::operator+(Currency other) const {
    qint64 sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum))
        throw std::overflow_error("The sum is outside the range of amounts.");
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const {
    qint64 difference = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &difference))
        throw std::overflow_error("The difference is outside the range of amounts.");
    return Currency(difference);
}
