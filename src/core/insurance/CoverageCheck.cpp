#include "insurance/CoverageCheck.h"

#include "data/Connection.h"
#include "data/dvData.h"

namespace {

// An item's value for the check, in ten-thousandths.
const QString ItemValue = QStringLiteral("CASE WHEN coalesce(i.ReplacePriceAM, 0) <> 0 THEN "
                                         "i.ReplacePriceAM ELSE coalesce(i.PurchasePriceAM, 0) "
                                         "END");

Currency units(const QVariant& value) {
    return Currency::fromUnits(value.toLongLong());
}

} // namespace

CoverageCheck CoverageCheck::compute(const dvData& data, bool everyType) {
    Connection connection(data.connString());
    // One read transaction, so that the lines and the total agree.
    connection.execute(QStringLiteral("BEGIN"));
    CoverageCheck check;
    const Recordset types = connection.query(
        QStringLiteral("SELECT t.TypeTX, l.LimitAM, count(i.ItemID) AS Items, coalesce(sum(%1), "
                       "0) AS ValueUnits FROM tblType_Lkp t LEFT JOIN tblItem i ON i.TypeTX = "
                       "t.TypeTX LEFT JOIN tblCoverageLimit l ON l.TypeTX = t.TypeTX GROUP BY "
                       "t.TypeTX, l.LimitAM ORDER BY t.TypeTX")
            .arg(ItemValue));
    for (int r = 0; r < types.rowCount(); ++r) {
        Line line;
        line.type = types.value(r, 0).toString();
        if (!types.value(r, 1).isNull())
            line.limit = types.value(r, 1).value<Currency>();
        line.items = types.value(r, 2).toLongLong();
        line.value = units(types.value(r, 3));
        if (everyType || line.items > 0 || line.limit)
            check.m_lines.append(line);
    }
    const Recordset untyped = connection.query(
        QStringLiteral("SELECT count(*), coalesce(sum(%1), 0) FROM tblItem i WHERE i.TypeTX IS "
                       "NULL")
            .arg(ItemValue));
    if (untyped.value(0, 0).toLongLong() > 0)
        check.m_lines.append({QString(), untyped.value(0, 0).toLongLong(),
                              units(untyped.value(0, 1)), std::nullopt});

    const Recordset all = connection.query(
        QStringLiteral("SELECT count(*), coalesce(sum(%1), 0) FROM tblItem i").arg(ItemValue));
    check.m_total.items = all.value(0, 0).toLongLong();
    check.m_total.value = units(all.value(0, 1));
    const QVariant contents =
        connection.scalar(QStringLiteral("SELECT ContentsLimitAM FROM tblCoverage"));
    if (!contents.isNull())
        check.m_total.limit = contents.value<Currency>();
    connection.execute(QStringLiteral("COMMIT"));
    return check;
}
