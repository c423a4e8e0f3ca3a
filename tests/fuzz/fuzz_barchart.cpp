// The bar chart and its option reader, on values and labels of any kind and number and on any
// options text (the known keys with any values, or anything at all): a chart, or a text that
// starts with "CHART ERROR", and never an exception, a crash or undefined arithmetic.

#include "FuzzSupport.h"

#include "graphs/gphGeneral.h"
#include "types/Currency.h"

#include <QDate>
#include <fuzzer/FuzzedDataProvider.h>

using FuzzSupport::require;

namespace {

const QStringList Keys = {QStringLiteral("Caption:"),   QStringLiteral("CapPos:"),
                          QStringLiteral("Percent:"),   QStringLiteral("MaxScale:"),
                          QStringLiteral("BarColor:"),  QStringLiteral("BgColor:"),
                          QStringLiteral("Border:"),    QStringLiteral("BorderColor:"),
                          QStringLiteral("GridColor:"), QStringLiteral("LabelColor:")};

QString someText(FuzzedDataProvider& input) {
    return FuzzSupport::text(input.ConsumeRandomLengthString(30));
}

// A value of one of the kinds the graphs hand over, or of a kind they must refuse.
QVariant someValue(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return input.ConsumeIntegral<qint64>();
    case 1:
        return input.ConsumeIntegralInRange<qint64>(0, 1000);
    case 2:
        return QVariant::fromValue(Currency::fromUnits(input.ConsumeIntegral<qint64>()));
    case 3:
        return input.ConsumeFloatingPoint<double>();
    case 4:
        return input.ConsumeFloatingPointInRange<double>(0, 1e6);
    case 5:
        return someText(input);
    case 6:
        return QVariant();
    default:
        return QDate(2024, 1, 1);
    }
}

QVariant someList(FuzzedDataProvider& input, int count, bool labels) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
        return someValue(input); // not an array
    case 1:
        count += input.ConsumeIntegralInRange(-1, 1);
        break;
    default:
        break;
    }
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list.append(labels ? QVariant(someText(input)) : someValue(input));
    return list;
}

QString someOptions(FuzzedDataProvider& input) {
    if (input.ConsumeBool())
        return FuzzSupport::text(input.ConsumeRandomLengthString(200));
    QString options;
    const int count = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < count; ++i) {
        options +=
            Keys[input.ConsumeIntegralInRange<qsizetype>(0, Keys.size() - 1)] + someText(input);
        if (input.ConsumeIntegralInRange(0, 9) > 0)
            options += QLatin1Char(';');
    }
    return options;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int count = input.ConsumeIntegralInRange(0, 20);
    const QVariant values = someList(input, count, false);
    const QVariant labels = someList(input, count, true);
    const QString options = someOptions(input);
    QString chart;
    try {
        gphGeneral::GetChartOption(options, Keys[count % Keys.size()]);
        gphGeneral::ArrayDimensions(values);
        chart = gphGeneral::BarChart(values, labels, options);
    } catch (const std::exception& error) {
        require(false, "the chart never throws", QString::fromUtf8(error.what()));
    }
    require(!chart.isEmpty(), "the chart gives a chart or an error", options);
    return 0;
}
