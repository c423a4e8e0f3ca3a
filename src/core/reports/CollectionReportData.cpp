#include "reports/CollectionReportData.h"

#include "app/General.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

#include <cmath>

namespace {

int columnOf(const Recordset& rows, const QString& name) {
    const int column = rows.columnIndex(name);
    if (column < 0)
        throw DbError(QStringLiteral("The result has no column named '%1'.").arg(name));
    return column;
}

} // namespace

CollectionReportData::CollectionReportData(const dvData& data, const QString& collection,
                                           bool withValues) {
    const Collection& collections = data.Collection();
    const Recordset fields = collections.Field().List(collection);
    for (int r = 0; r < fields.rowCount(); ++r)
        m_fields.append({fields.value(r, QStringLiteral("FieldID")).toLongLong(),
                         fields.value(r, QStringLiteral("FieldNM")).toString(),
                         short(fields.value(r, QStringLiteral("FieldTypeCD")).toInt())});
    m_items = collections.Item().List(collection, QStringLiteral("ItemNM, ItemID"));
    if (!withValues)
        return;
    const Recordset values = collections.Item().Field().List(collection, QStringLiteral("ItemNM"));
    m_hasValues = !values.isEmpty();
    // The columns are found once: a large collection has many values per item.
    const int itemColumn = columnOf(values, QStringLiteral("ItemID"));
    const int fieldColumn = columnOf(values, QStringLiteral("FieldID"));
    const int textColumn = columnOf(values, QStringLiteral("FieldValueTX"));
    for (int r = 0; r < values.rowCount(); ++r)
        m_values[values.value(r, itemColumn).toLongLong()]
                [values.value(r, fieldColumn).toLongLong()] =
                    values.value(r, textColumn).toString();
}

QString CollectionReportData::shownText(const QString& value, short type) const {
    QHash<QString, QString>& texts = m_shownTexts[type];
    auto known = texts.constFind(value);
    if (known == texts.cend())
        known = texts.insert(value, rptGeneral::html(General::FieldValueText(value, type)));
    return *known;
}

QStringList CollectionReportData::valueTexts(int itemRow) const {
    const auto itemValues =
        m_values.value(m_items.value(itemRow, QStringLiteral("ItemID")).toLongLong());
    QStringList texts;
    for (const Field& field : m_fields) {
        const QString value = itemValues.value(field.id);
        texts.append(value.isEmpty() ? QString() : shownText(value, field.type));
    }
    return texts;
}

int CollectionReportData::columnWidth() const {
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(100.0 / (fieldCount() + 3)));
}

QStringList CollectionReportData::listingHead(const QString& lastCaption) const {
    const int width = columnWidth();
    QStringList cells = {ReportText::headerCell(width, QStringLiteral("Item Name")),
                         ReportText::headerCell(width, QStringLiteral("Collection"))};
    for (const Field& field : m_fields)
        cells.append(ReportText::headerCell(width, rptGeneral::html(field.name)));
    cells.append(ReportText::headerCell(width, lastCaption));
    return QStringList{ReportText::table()} + ReportText::row(cells);
}

QStringList CollectionReportData::listingRow(int itemRow, const QString& lastText) const {
    const int width = columnWidth();
    // The name and collection cells keep a non-breaking space; value cells do not.
    const QString opening = QStringLiteral("    <td width=\"%1%\">").arg(width);
    const auto valueCell = [&opening](const QString& text) {
        return opening + text + QStringLiteral("</td>");
    };
    QStringList cells = {
        ReportText::rowCell(width,
                            ReportText::text(m_items.value(itemRow, QStringLiteral("ItemNM")))),
        ReportText::rowCell(
            width, ReportText::text(m_items.value(itemRow, QStringLiteral("CollectionNM"))))};
    for (const QString& text : valueTexts(itemRow))
        cells.append(valueCell(text));
    cells.append(valueCell(lastText));
    return ReportText::row(cells);
}

QStringList CollectionReportData::listingTotal(const QString& caption, const QString& value) const {
    const int width = columnWidth();
    return ReportText::row(
               {QStringLiteral("    <td width=\"%1%\" class=\"totalLine\" "
                               "colspan=\"%2\" align=\"right\">")
                        .arg(width)
                        .arg(fieldCount() + 2) +
                    caption + QStringLiteral(":&nbsp;&nbsp;</td>"),
                QStringLiteral("    <td width=\"%1%\" class=\"totalLine\">").arg(width) + value +
                    QStringLiteral("&nbsp;</td>")}) +
           QStringList{QStringLiteral("</table>")};
}
