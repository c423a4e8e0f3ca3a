#include "CliCommand.h"

#include "data/dvData.h"
#include "insurance/WarrantyReminder.h"

int runWarranties(CliContext& context) {
    int days = WarrantyReminder::days();
    if (context.isSet(QStringLiteral("within"))) {
        const QString text = context.value(QStringLiteral("within"));
        bool ok = false;
        days = text.toInt(&ok);
        if (!ok || days < 0 || days > WarrantyReminder::MaxDays)
            throw UsageError{QStringLiteral("--within takes a whole number of days from 0 to %1")
                                 .arg(WarrantyReminder::MaxDays)};
    }
    dvData data;
    context.openDatabase(data);
    printTable(context.out, WarrantyReminder::expiring(data, days));
    return ExitCode::Ok;
}
