#pragma once

#include "types/Currency.h"

#include <QString>
#include <QVariant>
#include <optional>

// A number the bar chart draws. Counts and amounts are held exactly, as ten-thousandths, so that
// comparing them, finding the top of the scale and writing their text involve no rounding; any
// other number is a double.
class ChartNumber {
public:
    // A count; one beyond the range of amounts (never seen in practice) is held as a double.
    static ChartNumber whole(qint64 value);
    static ChartNumber amount(Currency value) { return ChartNumber(value.units()); }
    static ChartNumber real(double value) { return ChartNumber(value); }
    // The number a value holds: integers as counts, Currency as amounts, finite doubles as they
    // are. Anything else (text, Null, flags, dates, infinities) is not a number: nullopt.
    static std::optional<ChartNumber> fromVariant(const QVariant& value);
    // The sum of amounts (Currency or numbers; Null is 0). A sum beyond the range of Currency
    // becomes a double instead of wrapping around. Throws std::invalid_argument for a value that
    // is not an amount.
    static QVariant sumOfAmounts(const QVariantList& amounts);

    bool isExact() const { return m_exact; }
    // Ten-thousandths; meaningful for exact numbers only.
    qint64 units() const { return m_units; }
    bool isNegative() const { return m_exact ? m_units < 0 : m_real < 0; }
    bool isGreaterThan(const ChartNumber& other) const;
    long double toLongDouble() const;
    // The value times 100 as a double; for an exact number the product is exact and rounded once.
    double hundredfold() const;

    // The ordinary text form: an exact number as its decimal value without trailing zeros
    // ("1234.5", "4"), a double as a desktop BASIC prints it.
    QString text() const;
    // A double as a desktop BASIC prints it: up to 15 significant digits, no trailing zeros, an
    // exponent only for very large or very small numbers ("92.5", "33.3333333333333", "1E-05").
    static QString text(double value);

private:
    explicit ChartNumber(qint64 units)
        : m_exact(true)
        , m_units(units) {}
    explicit ChartNumber(double value)
        : m_exact(false)
        , m_real(value) {}

    bool m_exact = true;
    qint64 m_units = 0;
    double m_real = 0;
};
