#pragma once

#include "types/Currency.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>
#include <optional>

class rptGeneral;

// The pieces the list reports are built from, and the texts of the values in their cells. Every
// text taken from the database comes out escaped for HTML.
namespace ReportText {

// The bordered table every list report puts its rows in.
QString table();
// "  <tr>", the cells, "  </tr>".
QStringList row(const QStringList& cells);
// A column heading of the given width in percent.
QString headerCell(int width, const QString& caption);
// A cell of the given width holding an already escaped text, with the trailing non-breaking
// space that keeps an empty cell's border drawn.
QString rowCell(int width, const QString& text);

// A cell of a list report's row: its width in percent and its already escaped text.
struct Cell {
    int width;
    QString text;
};
// The lines of row() of rowCell()s, written to the page straight from their pieces.
void writeRow(rptGeneral& page, std::initializer_list<Cell> cells);

// A stored value as it stands (dates in their default text); Null gives "".
QString text(const QVariant& value);
// An amount with "$", rounded as the "Round Prices" option says; Null counts as 0, because an
// empty price is kept as 0.
QString money(const QVariant& value);
QString money(Currency amount);
// The amount a price column holds (Null as 0), for totals.
Currency amount(const QVariant& value);
// A date (or the date of a date and time) in the short form; Null gives "".
QString shortDate(const QVariant& value);
QString shortDate(const QDate& date);
// A date or a date and time as the moment it stands for (a date alone is its midnight);
// nullopt for Null or anything that is not a date.
std::optional<QDateTime> moment(const QVariant& value);

} // namespace ReportText
