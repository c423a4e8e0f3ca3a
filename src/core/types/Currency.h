#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QMetaType>
#include <QString>
#include <compare>
#include <optional>
#include <stdexcept>

// A money amount held exactly, as a whole number of ten-thousandths (four decimal places), which
// is also how amounts are stored in the database: 12.5 is held as 125000. Sums are exact; no
// floating point is involved except where a caller starts from a double.
//
// The range is that of the 64-bit count: -922,337,203,685,477.5808 to 922,337,203,685,477.5807.
// Nothing here wraps around: every way into the type from outside the range gives nullopt, and
// arithmetic that would leave it throws std::overflow_error.
class Currency {
public:
    static constexpr qint64 Scale = 10000;
    // The largest amount a user may enter (whole units); beyond it the ten-thousandths overflow.
    static constexpr qint64 MaxWholeUnits = 922337203685477LL;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 tenThousandths) { return Currency(tenThousandths); }
    // A whole number of units; throws std::overflow_error outside the range (for amounts the
    // program itself knows, such as literals). tryFromWhole gives nullopt instead.
    static Currency fromWhole(qint64 whole);
    static std::optional<Currency> tryFromWhole(qint64 whole);
    // Rounds to the nearest ten-thousandth, halves away from zero; nullopt for a value outside
    // the range, infinity and NaN.
    static std::optional<Currency> fromDouble(double value);
    // A count of ten-thousandths held as a floating-point number (an amount stored as REAL),
    // rounded to the nearest whole count; nullopt outside the range, for infinity and NaN.
    static std::optional<Currency> fromRealUnits(double tenThousandths);

    // Reads an amount as typed. The one grammar for amounts, used both to check what a user
    // typed and to read it:
    //   blanks, an optional sign, blanks, an optional "$" (only when allowDollar), blanks, an
    //   optional sign (one sign at most), then digits with optional "," separators between
    //   groups of three, then an optional "." followed by at most maxDecimals digits, then
    //   blanks. At least one digit; leading zeros are allowed.
    // nullopt for anything else, and for an amount outside the range.
    static std::optional<Currency> parse(const QString& text, bool allowDollar = true,
                                         int maxDecimals = 4);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }

    // Formats with one of the number patterns the application uses: "0", "0.00", "#,##0",
    // "#,##0.00", each optionally led by "$". Rounds halves away from zero.
    QString format(const QString& pattern) const;
    // The same text, written into `buffer` without making a string (for a statement that
    // formats an amount per row). The view points into the buffer.
    static constexpr qsizetype FormattedSize = 48;
    QByteArrayView format(QLatin1StringView pattern, char (&buffer)[FormattedSize]) const;
    // The plain decimal text without trailing zeros ("12.5", "3", "-0.0001").
    QString toString() const;

    // This amount multiplied by percent / 100, rounded to four decimals; nullopt when the
    // result leaves the range or the percentage is not a finite number.
    std::optional<Currency> percentOf(double percent) const;

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(qint64 units)
        : m_units(units) {}
    qint64 m_units = 0;
};

Q_DECLARE_METATYPE(Currency)
