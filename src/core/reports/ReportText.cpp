#include "reports/ReportText.h"

#include "app/General.h"
#include "app/Settings.h"
#include "reports/rptGeneral.h"
#include "types/DateTextCache.h"

#include <array>

namespace ReportText {

namespace {

// A page shows the same dates many times over.
thread_local DateTextCache dates;

QString cellOpening(int width) {
    return QStringLiteral("    <td width=\"%1%\">").arg(width);
}

// Made once per width: a list report has a cell per column in every row.
const QString& cachedCellOpening(int width, QString& spare) {
    static const auto openings = [] {
        std::array<QString, 101> texts;
        for (int percent = 0; percent <= 100; ++percent)
            texts[percent] = cellOpening(percent);
        return texts;
    }();
    if (width >= 0 && width <= 100)
        return openings[width];
    spare = cellOpening(width);
    return spare;
}

} // namespace

QString table() {
    return QStringLiteral(
        "<table border=\"1\" width=\"100%\" cellspacing=\"0\" bordercolor=\"#800000\">");
}

QStringList row(const QStringList& cells) {
    return QStringList{QStringLiteral("  <tr>")} + cells + QStringList{QStringLiteral("  </tr>")};
}

QString headerCell(int width, const QString& caption) {
    return QStringLiteral("    <td width=\"%1%\" class=\"listHeader\">").arg(width) + caption +
           QStringLiteral("</td>");
}

QString rowCell(int width, const QString& text) {
    QString spare;
    return cachedCellOpening(width, spare) + text + QStringLiteral("&nbsp;</td>");
}

void writeRow(rptGeneral& page, std::initializer_list<Cell> cells) {
    page.writeLine({u"  <tr>"});
    QString spare;
    for (const Cell& cell : cells)
        page.writeLine({cachedCellOpening(cell.width, spare), cell.text, u"&nbsp;</td>"});
    page.writeLine({u"  </tr>"});
}

QString text(const QVariant& value) {
    const int type = value.typeId();
    if (type == QMetaType::QDate || type == QMetaType::QDateTime)
        return rptGeneral::html(dates.displayText(value));
    return rptGeneral::html(General::ValueText(value));
}

Currency amount(const QVariant& value) {
    return General::ToCurrency(value).value_or(Currency());
}

QString money(const QVariant& value) {
    return money(amount(value));
}

QString money(Currency amount) {
    // What General::FormatPrice makes of an amount with "$", without its general handling of
    // any value: a report shows a few amounts for every item. The text is plain ASCII, its
    // own HTML.
    const bool whole = Settings::integer(SettingKeys::RoundPrices, 0) == 1;
    char buffer[Currency::FormattedSize];
    const QByteArrayView digits =
        amount.format(whole ? QLatin1StringView("0") : QLatin1StringView("0.00"), buffer);
    QString text;
    text.reserve(digits.size() + 1);
    text += QLatin1Char('$');
    text += QLatin1StringView(digits.data(), digits.size());
    return text;
}

QString shortDate(const QDate& date) {
    return rptGeneral::html(dates.shortDate(date));
}

QString shortDate(const QVariant& value) {
    const auto when = moment(value);
    return when ? shortDate(when->date()) : QString();
}

std::optional<QDateTime> moment(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return QDateTime(value.toDate(), QTime(0, 0));
    if (value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid())
        return value.toDateTime();
    return std::nullopt;
}

} // namespace ReportText
