#pragma once

#include "types/Currency.h"

#include <QString>
#include <QVariant>
#include <optional>

// Helpers shared by the windows and the record classes that need no widget.
namespace General {

// Value kinds understood by NullToDefault.
enum ValueKind : short {
    KindInteger16 = 2,
    KindInteger32 = 3,
    KindSingle = 4,
    KindDouble = 5,
    KindText = 8
};

// The application title used in captions and message boxes: "Qelto Domivo".
QString GetAppTitle();

// A database value in the requested kind: Null gives "" for text and 0 for the numeric kinds;
// any other value is converted. Unknown kinds give an invalid QVariant.
QVariant NullToDefault(const QVariant& value, short kind);
// A value's display text: dates in their short or general form, amounts as plain decimals,
// flags as "True"/"False", Null as "".
QString ValueText(const QVariant& value);

// Doubles every single quote, so that the text can stand between single quotes.
QString EscapeQuotes(const QString& text);

// The number a user typed: optional sign, optional "$", digits with optional "," thousands
// separators and an optional decimal part. Surrounding blanks are ignored.
std::optional<double> ParseNumber(const QString& text);
// The number a value stands for: a number, an amount, or text read by ParseNumber; nullopt for
// Null and anything else.
std::optional<double> NumberOf(const QVariant& value);
bool IsNumeric(const QVariant& value);
// True for a number without a fractional part that fits a 32-bit integer.
bool IsWholeNumber(const QVariant& value);
// True for a non-negative amount with at most two decimals and at most 922337203685477 whole
// units; a leading "$" only when allowDollar. The text is read by Currency::parse, so an
// amount that passes is one the record classes store.
bool IsValidMoney(const QVariant& value, bool allowDollar);
// The amount a value stands for (a Currency, a number or an amount typed as text); nullopt for
// Null, the empty text, anything that is not an amount and amounts outside the range.
std::optional<Currency> ToCurrency(const QVariant& value);

// The replacement price computed from a purchase price as the "Replace Percent" setting says
// (100 when it is missing or not a number). Throws DbError when the result is outside the range
// of amounts, so that the item is not stored with some other price.
Currency ReplacementByPercent(Currency purchase);

// An amount as "0.00", or "0" when the "Round Prices" setting is 1, led by "$" when withDollar.
// Null and the empty text give "".
QString FormatPrice(const QVariant& value, bool withDollar);
// The same with the setting's value given (a long list reads the setting once).
QString FormatPrice(const QVariant& value, bool withDollar, int roundPrices);

// A collection field value as the grid and the reports show it, by field type code: text as it
// is, Yes/No as "True"/"False", Currency through FormatPrice with "$", a date in its short form
// (a stored text that reads as no date stays as it is); unknown types give "".
QString FieldValueText(const QVariant& value, short fieldKind);
// The same, as a value that sorts by what it stands for: a QDate for a date that can be read,
// otherwise FieldValueText's text (numbers and amounts are sorted by the text they read as).
QVariant FieldValue(const QVariant& value, short fieldKind);
// The same with the "Round Prices" setting's value given.
QVariant FieldValue(const QVariant& value, short fieldKind, int roundPrices);

} // namespace General
