#include "reports/InventoryGrouping.h"

#include "app/General.h"
#include "records/invItem.h"
#include "reports/rptGeneral.h"

namespace {

char16_t foldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// Equal the way the database's NOCASE collation compares, which folds ASCII letters only, so
// that a group holds exactly the rows the database sorted together.
bool sameGroup(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (foldAscii(a.at(i).unicode()) != foldAscii(b.at(i).unicode()))
            return false;
    return true;
}

QString selectedOrder() {
    return QStringLiteral("ManufacturerNM, ItemNM, ModelSeriesTX, ItemID");
}

} // namespace

InventoryGrouping::InventoryGrouping(QString column, RowCursor rows)
    : m_column(std::move(column))
    , m_rows(std::move(rows)) {}

bool InventoryGrouping::isFilter(const QString& text) {
    return !text.isEmpty() && text != QLatin1String(AllEntry);
}

InventoryGrouping InventoryGrouping::byTypeOrLocation(const invItem& items, const QString& type,
                                                      const QString& location) {
    const QString byType = QStringLiteral("TypeTX");
    const QString byLocation = QStringLiteral("LocationTX");
    const QString within = QStringLiteral(", ManufacturerNM, ItemNM, ItemID");
    if (isFilter(type))
        return {byType, items.ListRows(QString(), type, byType + within)};
    if (isFilter(location))
        return {byLocation, items.ListRows(location, QString(), byLocation + within)};
    if (type == QLatin1String(AllEntry))
        return {byType, items.ListRows(QString(), QString(), byType + within)};
    return {byLocation, items.ListRows(QString(), QString(), byLocation + within)};
}

std::pair<QString, QString> InventoryGrouping::selectedFilter(rptGeneral& page, const QString& type,
                                                              const QString& location) {
    if (isFilter(type)) {
        page.write(QStringLiteral("<h3>Selected Type: ") + rptGeneral::html(type) +
                   QStringLiteral("</h3>"));
        return {QString(), type};
    }
    if (isFilter(location)) {
        page.write(QStringLiteral("<h3>Selected Location: ") + rptGeneral::html(location) +
                   QStringLiteral("</h3>"));
        return {location, QString()};
    }
    return {};
}

Recordset InventoryGrouping::selectedItems(rptGeneral& page, const invItem& items,
                                           const QString& type, const QString& location) {
    const auto [inLocation, inType] = selectedFilter(page, type, location);
    return items.List(inLocation, inType, selectedOrder());
}

RowCursor InventoryGrouping::selectedItemRows(rptGeneral& page, const invItem& items,
                                              const QString& type, const QString& location) {
    const auto [inLocation, inType] = selectedFilter(page, type, location);
    return items.ListRows(inLocation, inType, selectedOrder());
}

InventoryGrouping InventoryGrouping::byPurchaseLocation(const invItem& items, const QString& type,
                                                        const QString& location) {
    const QString column = QStringLiteral("PurchaseLocationTX");
    const QString order = column + QStringLiteral(", ManufacturerNM, ItemNM, ItemID");
    if (isFilter(type))
        return {column, items.ListRows(QString(), type, order)};
    if (isFilter(location))
        return {column, items.ListRows(location, QString(), order)};
    return {column, items.ListRows(QString(), QString(), order)};
}

QString InventoryGrouping::groupValue() const {
    return General::NullToDefault(m_rows.value(m_column), General::KindText).toString();
}

void InventoryGrouping::writeGroups(const std::function<bool(const RowCursor& row)>& takesPart,
                                    const std::function<void()>& openGroup,
                                    const std::function<void(const RowCursor& row)>& writeRow,
                                    const std::function<void()>& closeGroup) {
    m_open.reset();
    while (m_rows.next()) {
        if (takesPart && !takesPart(m_rows))
            continue;
        const QString value = groupValue();
        if (!m_open || !sameGroup(*m_open, value)) {
            if (m_open)
                closeGroup();
            m_open = value;
            openGroup();
        }
        writeRow(m_rows);
    }
    if (m_open)
        closeGroup();
    m_open.reset();
}

QString InventoryGrouping::heading() const {
    const QString value = openValue();
    return QStringLiteral("<h3>") +
           (value.isEmpty() ? QString::fromLatin1(UnknownHeading) : rptGeneral::html(value)) +
           QStringLiteral("</h3>");
}
