#include "types/Currency.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// Rounds a whole number of ten-thousandths to a multiple of 10^(4 - decimals), halves away
// from zero, and returns the result in units of 10^-decimals.
qint64 roundToDecimals(qint64 units, int decimals) {
    qint64 divisor = 1;
    for (int i = decimals; i < 4; ++i)
        divisor *= 10;
    const qint64 magnitude = units < 0 ? -units : units;
    const qint64 rounded = (magnitude + divisor / 2) / divisor;
    return units < 0 ? -rounded : rounded;
}

QString groupThousands(const QString& digits) {
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

} // namespace

Currency Currency::fromDouble(double value) {
    return Currency(qint64(std::llround(value * Scale)));
}

std::optional<Currency> Currency::parse(const QString& text, bool allowDollar) {
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
    if (fraction.size() > 4 || whole.size() > 15)
        return std::nullopt;
    const qint64 wholeValue = whole.isEmpty() ? 0 : whole.toLongLong();
    if (wholeValue > MaxWholeUnits)
        return std::nullopt;
    const qint64 fractionValue = (fraction + QStringLiteral("0000")).left(4).toLongLong();
    const qint64 units = wholeValue * Scale + fractionValue;
    const bool negative =
        match.captured(1) == QLatin1String("-") || match.captured(3) == QLatin1String("-");
    return Currency(negative ? -units : units);
}

QString Currency::format(const QString& pattern) const {
    QString body = pattern;
    const bool dollar = body.startsWith(QLatin1Char('$'));
    if (dollar)
        body.remove(0, 1);
    const int point = int(body.indexOf(QLatin1Char('.')));
    const int decimals = point < 0 ? 0 : int(body.size()) - point - 1;
    const bool grouped = body.contains(QLatin1Char(','));

    const qint64 scaled = roundToDecimals(m_units, decimals);
    const bool negative = scaled < 0;
    const qint64 magnitude = negative ? -scaled : scaled;
    qint64 divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    QString whole = QString::number(magnitude / divisor);
    if (grouped)
        whole = groupThousands(whole);
    QString text = whole;
    if (decimals > 0)
        text += QLatin1Char('.') +
                QStringLiteral("%1").arg(magnitude % divisor, decimals, 10, QLatin1Char('0'));
    if (dollar)
        text.prepend(QLatin1Char('$'));
    if (negative)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString Currency::toString() const {
    const bool negative = m_units < 0;
    const qint64 magnitude = negative ? -m_units : m_units;
    QString text = QString::number(magnitude / Scale);
    if (const qint64 fraction = magnitude % Scale) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

Currency Currency::percentOf(double percent) const {
    return Currency(qint64(std::llround(double(m_units) * percent / 100.0)));
}
