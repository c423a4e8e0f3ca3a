#include "CliCommand.h"

#include "app/Settings.h"
#include "data/dvData.h"
#include "types/DateText.h"

#include <QDate>

namespace {

// The filters the inventory window offers, by option name.
const QStringList& filterOptions() {
    static const QStringList options = {QStringLiteral("--type"), QStringLiteral("--location"),
                                        QStringLiteral("--manufacturer"),
                                        QStringLiteral("--purchase-date")};
    return options;
}

} // namespace

int runItems(CliContext& context) {
    QString option;
    QString value;
    QStringList args = context.args;
    while (!args.isEmpty()) {
        QString arg = args.takeFirst();
        QString argValue;
        bool hasValue = false;
        const int equals = int(arg.indexOf(QLatin1Char('=')));
        if (arg.startsWith(QLatin1String("--")) && equals > 0) {
            argValue = arg.mid(equals + 1);
            arg = arg.left(equals);
            hasValue = true;
        }
        if (!filterOptions().contains(arg))
            throw UsageError{QStringLiteral("items does not take %1").arg(arg)};
        if (!option.isEmpty())
            throw UsageError{QStringLiteral("items takes at most one filter")};
        if (!hasValue) {
            if (args.isEmpty())
                throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
            argValue = args.takeFirst();
        }
        if (argValue.isEmpty())
            throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
        option = arg;
        value = argValue;
    }

    QString type, location, manufacturer;
    QDate purchaseDate;
    if (option == QLatin1String("--type"))
        type = value;
    else if (option == QLatin1String("--location"))
        location = value;
    else if (option == QLatin1String("--manufacturer"))
        manufacturer = value;
    else if (option == QLatin1String("--purchase-date")) {
        purchaseDate = DateText::parseDate(value);
        if (!purchaseDate.isValid())
            throw UsageError{QStringLiteral("'%1' is not a date").arg(value)};
    }

    dvData data;
    context.openDatabase(data);
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    printTable(context.out, data.Inventory().Item().ListMainGrid(roundPrices, type, location,
                                                                 manufacturer, purchaseDate));
    return ExitCode::Ok;
}
