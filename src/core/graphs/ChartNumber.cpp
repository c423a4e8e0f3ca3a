#include "graphs/ChartNumber.h"

#include <cmath>
#include <limits>
#include <stdexcept>

ChartNumber ChartNumber::whole(qint64 value) {
    qint64 units = 0;
    if (__builtin_mul_overflow(value, Currency::Scale, &units))
        return ChartNumber(double(value));
    return ChartNumber(units);
}

std::optional<ChartNumber> ChartNumber::fromVariant(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    if (value.metaType() == QMetaType::fromType<Currency>())
        return amount(value.value<Currency>());
    switch (value.typeId()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return whole(value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<qint64>::max()))
            return real(double(number));
        return whole(qint64(number));
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return std::nullopt;
        return real(number);
    }
    default:
        return std::nullopt;
    }
}

QVariant ChartNumber::sumOfAmounts(const QVariantList& amounts) {
    qint64 exact = 0;
    long double approximate = 0;
    bool overflowed = false;
    for (const QVariant& value : amounts) {
        if (value.isNull())
            continue;
        const auto number = fromVariant(value);
        if (!number)
            throw std::invalid_argument("not an amount");
        approximate += number->toLongDouble();
        if (!number->isExact() || __builtin_add_overflow(exact, number->units(), &exact))
            overflowed = true;
    }
    if (overflowed)
        return double(approximate);
    return QVariant::fromValue(Currency::fromUnits(exact));
}

bool ChartNumber::isGreaterThan(const ChartNumber& other) const {
    if (m_exact && other.m_exact)
        return m_units > other.m_units;
    return toLongDouble() > other.toLongDouble();
}

long double ChartNumber::toLongDouble() const {
    return m_exact ? static_cast<long double>(m_units) / Currency::Scale : m_real;
}

double ChartNumber::hundredfold() const {
    // units × 100 / 10000: dividing the whole number of units by 100 rounds only once.
    return m_exact ? double(m_units) / (Currency::Scale / 100) : m_real * 100;
}

QString ChartNumber::text() const {
    return m_exact ? Currency::fromUnits(m_units).toString() : text(m_real);
}

QString ChartNumber::text(double value) {
    // A negative zero (a rounded -0.4) prints as a plain zero.
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'G', 15);
}
