// The number reader behind the numeric checks of the windows and the search (General), on any
// text and any number: what one check accepts, the others read the same way.

#include "FuzzSupport.h"

#include "app/General.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

using FuzzSupport::require;

namespace {

void checkText(const QString& text) {
    const auto number = General::ParseNumber(text);
    require(number.has_value() == General::IsNumeric(text), "IsNumeric is ParseNumber", text);
    if (number)
        require(std::isfinite(*number), "a typed number is finite", text);
    if (General::IsWholeNumber(text))
        require(number && *number == std::trunc(*number), "a whole number has no fraction", text);
    for (const bool allowDollar : {false, true}) {
        if (!General::IsValidMoney(text, allowDollar))
            continue;
        const auto amount = General::ToCurrency(text);
        require(amount && *amount >= Currency(), "a valid amount is stored as it was checked",
                text);
        require(number.has_value(), "a valid amount is a number", text);
    }
}

// A value of every kind the grids and the windows convert.
void checkValue(const QVariant& value) {
    General::IsNumeric(value);
    General::IsWholeNumber(value);
    General::ToCurrency(value);
    General::ValueText(value);
    for (const short kind : {General::KindInteger16, General::KindInteger32, General::KindSingle,
                             General::KindDouble, General::KindText})
        General::NullToDefault(value, kind);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const double real = input.ConsumeFloatingPoint<double>();
    const qint64 whole = input.ConsumeIntegral<qint64>();
    const QString text = FuzzSupport::text(input.ConsumeRemainingBytesAsString());
    checkText(text);
    checkValue(text);
    checkValue(real);
    checkValue(whole);
    checkValue(int(whole));
    checkValue(QVariant::fromValue(Currency::fromUnits(whole)));
    return 0;
}
