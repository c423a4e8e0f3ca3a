// Money: the amount reader on any text, and the arithmetic, rounding and formatting on any
// amount, double or percentage. Nothing wraps around or leaves the range silently: every
// result is the exact one, or nullopt, or std::overflow_error.

#include "FuzzSupport.h"

#include "types/Currency.h"

#include <QStringList>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>

using FuzzSupport::require;

namespace {

const QStringList Patterns = {QStringLiteral("0"),      QStringLiteral("0.00"),
                              QStringLiteral("#,##0"),  QStringLiteral("#,##0.00"),
                              QStringLiteral("$0"),     QStringLiteral("$0.00"),
                              QStringLiteral("$#,##0"), QStringLiteral("$#,##0.00")};

bool inRange(__int128 units) {
    return units >= std::numeric_limits<qint64>::min() &&
           units <= std::numeric_limits<qint64>::max();
}

void checkParsed(const QString& text, bool allowDollar, int maxDecimals) {
    const auto amount = Currency::parse(text, allowDollar, maxDecimals);
    if (!amount)
        return;
    const QString plain = amount->toString();
    require(Currency::parse(plain, false) == amount, "an amount's text reads back", text);
    // Rounded to whole units, an amount within one unit of the range's ends leaves the range.
    const bool nearTheEnds =
        amount->units() > std::numeric_limits<qint64>::max() - Currency::Scale ||
        amount->units() < std::numeric_limits<qint64>::min() + Currency::Scale;
    for (const QString& pattern : Patterns) {
        const QString shown = amount->format(pattern);
        // A pattern with four decimals would give the amount back exactly; these round.
        require(nearTheEnds || Currency::parse(shown).has_value(),
                "a formatted amount reads as an amount", shown);
    }
}

void checkArithmetic(Currency a, Currency b) {
    const __int128 sum = __int128(a.units()) + b.units();
    const __int128 difference = __int128(a.units()) - b.units();
    try {
        require((a + b).units() == sum && inRange(sum), "a sum is exact");
    } catch (const std::overflow_error&) {
        require(!inRange(sum), "a sum in range does not throw");
    }
    try {
        require((a - b).units() == difference && inRange(difference), "a difference is exact");
    } catch (const std::overflow_error&) {
        require(!inRange(difference), "a difference in range does not throw");
    }
}

void checkConversions(Currency amount, double real, qint64 whole) {
    amount.toDouble();
    amount.percentOf(real);
    if (const auto rounded = Currency::fromDouble(real))
        require(std::abs(rounded->toDouble() - real) <= std::max(1.0, std::abs(real) * 1e-12),
                "a double becomes the nearest amount");
    Currency::fromRealUnits(real);
    const auto fromWhole = Currency::tryFromWhole(whole);
    require(fromWhole.has_value() == inRange(__int128(whole) * Currency::Scale),
            "whole units convert exactly when in range");
    if (fromWhole)
        require(fromWhole->units() == whole * Currency::Scale, "whole units convert exactly");
    for (const QString& pattern : Patterns)
        amount.format(pattern);
    require(Currency::parse(amount.toString()) == amount, "any amount's text reads back",
            amount.toString());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const Currency a = Currency::fromUnits(input.ConsumeIntegral<qint64>());
    const Currency b = Currency::fromUnits(input.ConsumeIntegral<qint64>());
    const double real = input.ConsumeFloatingPoint<double>();
    const qint64 whole = input.ConsumeIntegral<qint64>();
    const bool allowDollar = input.ConsumeBool();
    const int maxDecimals = input.ConsumeIntegralInRange<int>(-1, 6);
    const QString text = FuzzSupport::text(input.ConsumeRemainingBytesAsString());
    checkParsed(text, allowDollar, maxDecimals);
    checkArithmetic(a, b);
    checkConversions(a, real, whole);
    return 0;
}
