// The typed-date reader and the readers of stored dates, on any text under several locales: a
// date that is read has a four-digit year and reads back as itself from every form the program
// writes it in.

#include "FuzzSupport.h"

#include "types/DateText.h"

#include <QList>
#include <QLocale>
#include <fuzzer/FuzzedDataProvider.h>

using FuzzSupport::require;

namespace {

const QList<QLocale>& locales() {
    static const QList<QLocale> all = {QLocale(QLocale::English, QLocale::UnitedStates),
                                       QLocale(QLocale::German, QLocale::Germany),
                                       QLocale(QLocale::English, QLocale::UnitedKingdom),
                                       QLocale(QLocale::Japanese, QLocale::Japan),
                                       QLocale(QLocale::Arabic, QLocale::Egypt),
                                       QLocale(QLocale::Persian, QLocale::Iran)};
    return all;
}

void checkTypedDate(const QString& text, const QLocale& locale) {
    const QDate date = DateText::parseDate(text, locale);
    if (!date.isValid())
        return;
    require(date.year() >= 1 && date.year() <= 9999, "a typed date has a four-digit year", text);
    const QString stored = DateText::storageText(date);
    require(DateText::parseDate(stored, locale) == date, "the stored form reads back", stored);
    require(DateText::readStoredFieldDate(stored, locale) == date,
            "a field value in the stored form reads back", stored);
    const QString shown = DateText::shortDate(date, locale);
    require(DateText::parseDate(shown, locale) == date, "the short date reads back", shown);
}

void checkStoredText(const QString& text) {
    const QVariant value = DateText::fromStorage(text);
    if (!value.isValid())
        return;
    const QString again = value.typeId() == QMetaType::QDate
                              ? DateText::storageText(value.toDate())
                              : DateText::storageText(value.toDateTime());
    require(DateText::fromStorage(again) == value, "a stored date is written back the same", text);
    DateText::displayText(value);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QLocale& locale =
        locales()[input.ConsumeIntegralInRange<qsizetype>(0, locales().size() - 1)];
    const QString text = FuzzSupport::text(input.ConsumeRemainingBytesAsString());
    checkTypedDate(text, locale);
    DateText::readStoredFieldDate(text, locale);
    checkStoredText(text);
    return 0;
}
