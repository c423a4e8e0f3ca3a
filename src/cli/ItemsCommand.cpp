#include "CliCommand.h"
#include "TablePrinter.h"

#include "app/Settings.h"
#include "data/dvData.h"
#include "types/DateText.h"

#include <QDate>
#include <algorithm>

int runItems(CliContext& context) {
    // The inventory window filters by one list at a time, and so does its listing here.
    const QStringList filters = {QStringLiteral("type"), QStringLiteral("location"),
                                 QStringLiteral("manufacturer"), QStringLiteral("purchase-date")};
    const auto given = std::count_if(filters.cbegin(), filters.cend(),
                                     [&](const QString& filter) { return context.isSet(filter); });
    if (given > 1)
        throw UsageError{QStringLiteral("items takes at most one filter")};

    QDate purchaseDate;
    if (context.isSet(QStringLiteral("purchase-date"))) {
        const QString text = context.value(QStringLiteral("purchase-date"));
        purchaseDate = DateText::parseDate(text);
        if (!purchaseDate.isValid())
            throw UsageError{QStringLiteral("'%1' is not a date").arg(text)};
    }

    dvData data;
    context.openDatabase(data);
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    // Each row is printed as it is read: a listing of a large inventory never holds it all.
    const invItem& items = data.Inventory().Item();
    RowCursor rows =
        items.ListMainGridRows(roundPrices, context.value(QStringLiteral("type")),
                               context.value(QStringLiteral("location")),
                               context.value(QStringLiteral("manufacturer")), purchaseDate);
    if (TablePrinter::print(context.out, rows) == 0)
        TablePrinter::print(context.out, items.NoItemsFound(), false);
    return ExitCode::Ok;
}
