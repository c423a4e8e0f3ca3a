#include "reports/ReportText.h"

#include "app/General.h"
#include "reports/rptGeneral.h"
#include "types/DateText.h"

namespace ReportText {

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
    return QStringLiteral("    <td width=\"%1%\">").arg(width) + text +
           QStringLiteral("&nbsp;</td>");
}

QString text(const QVariant& value) {
    return rptGeneral::html(General::ValueText(value));
}

Currency amount(const QVariant& value) {
    return General::ToCurrency(value).value_or(Currency());
}

QString money(const QVariant& value) {
    return money(amount(value));
}

QString money(Currency amount) {
    return rptGeneral::html(General::FormatPrice(QVariant::fromValue(amount), true));
}

QString shortDate(const QDate& date) {
    return rptGeneral::html(DateText::shortDate(date));
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
