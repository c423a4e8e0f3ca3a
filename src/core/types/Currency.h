#pragma once

#include <QMetaType>
#include <QString>
#include <compare>
#include <optional>

// A money amount held exactly, as a whole number of ten-thousandths (four decimal places), which
// is also how amounts are stored in the database: 12.5 is held as 125000. Sums are exact; no
// floating point is involved except where a caller starts from a double.
class Currency {
public:
    static constexpr qint64 Scale = 10000;
    // The largest amount a user may enter (whole units); beyond it the ten-thousandths overflow.
    static constexpr qint64 MaxWholeUnits = 922337203685477LL;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 tenThousandths) { return Currency(tenThousandths); }
    static Currency fromWhole(qint64 whole) { return Currency(whole * Scale); }
    // Rounds to the nearest ten-thousandth, halves away from zero.
    static Currency fromDouble(double value);
    // Reads an amount as typed: optional sign, an optional "$" (when allowed), digits with
    // optional "," thousands separators, an optional "." and at most four decimals.
    static std::optional<Currency> parse(const QString& text, bool allowDollar = true);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }

    // Formats with one of the number patterns the application uses: "0", "0.00", "#,##0",
    // "#,##0.00", each optionally led by "$". Rounds halves away from zero.
    QString format(const QString& pattern) const;
    // The plain decimal text without trailing zeros ("12.5", "3", "-0.0001").
    QString toString() const;

    // This amount multiplied by percent / 100, rounded to four decimals.
    Currency percentOf(double percent) const;

    constexpr Currency operator+(Currency other) const { return Currency(m_units + other.m_units); }
    constexpr Currency operator-(Currency other) const { return Currency(m_units - other.m_units); }
    constexpr Currency& operator+=(Currency other) {
        m_units += other.m_units;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(qint64 units)
        : m_units(units) {}
    qint64 m_units = 0;
};

Q_DECLARE_METATYPE(Currency)
