#include "insurance/WarrantyReminder.h"

#include "app/Clock.h"
#include "app/Settings.h"
#include "data/Connection.h"
#include "data/dvData.h"
#include "types/DateText.h"

Recordset WarrantyReminder::expiring(const dvData& data, int days) {
    const QDate today = Clock::today();
    // An expiry written with a time of day still counts by its day.
    const Recordset found =
        Connection(data.connString())
            .query(QStringLiteral("SELECT ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, "
                                  "date(WarrantyExpireDT) AS Expires FROM tblItem "
                                  "WHERE WarrantyCD = 1 AND WarrantyExpireDT IS NOT NULL "
                                  "AND date(WarrantyExpireDT) BETWEEN ? AND ? "
                                  "ORDER BY date(WarrantyExpireDT), ManufacturerNM, "
                                  "ItemNM, ItemID"),
                   {today, today.addDays(qMax(0, days))});
    QVector<QVariantList> rows;
    rows.reserve(found.rowCount());
    for (int r = 0; r < found.rowCount(); ++r) {
        const QDate expires =
            QDate::fromString(found.value(r, QStringLiteral("Expires")).toString(), Qt::ISODate);
        rows.append({found.value(r, 0), found.value(r, 1), found.value(r, 2), found.value(r, 3),
                     DateText::shortDate(expires), DateText::daysBetween(today, expires)});
    }
    return Recordset({QStringLiteral("ItemID"), QStringLiteral("Manufacturer"),
                      QStringLiteral("Item"), QStringLiteral("Model"), QStringLiteral("Expires"),
                      QStringLiteral("Days Left")},
                     rows);
}

int WarrantyReminder::days() {
    const int days = Settings::integer(SettingKeys::WarrantyDays, DefaultDays);
    return days >= 0 && days <= MaxDays ? days : DefaultDays;
}

bool WarrantyReminder::isDue() {
    if (Settings::integer(SettingKeys::RemindWarranty, 1) != 1)
        return false;
    return DateText::parseDate(Settings::text(SettingKeys::LastWarrantyReminder)) != Clock::today();
}

void WarrantyReminder::noteShown() {
    Settings::setText(SettingKeys::LastWarrantyReminder, DateText::storageText(Clock::today()));
}
