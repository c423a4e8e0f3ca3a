#include "CliCommand.h"

#include "data/dvData.h"
#include "insurance/IncidentStore.h"
#include "insurance/InsuranceUpgrade.h"
#include "types/DateText.h"

namespace {

// Incidents live in tables that a database made by an earlier version gets at its first use.
void openUpgraded(const CliContext& context, dvData& data) {
    context.openDatabase(data);
    InsuranceUpgrade::UpdateDatabase(data.connString());
}

qint64 identifier(const QString& text, const QString& what) {
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (!ok || id <= 0)
        throw UsageError{QStringLiteral("'%1' is not %2").arg(text, what)};
    return id;
}

} // namespace

int runIncidentNew(CliContext& context) {
    if (!context.isSet(QStringLiteral("date")))
        throw UsageError{QStringLiteral("incident new needs --date")};
    IncidentStore::Values values;
    values.IncidentNM = context.argument(QStringLiteral("NAME"));
    const QString date = context.value(QStringLiteral("date"));
    values.IncidentDT = DateText::parseDate(date);
    if (!values.IncidentDT.isValid())
        throw UsageError{QStringLiteral("'%1' is not a date").arg(date)};
    values.KindTX = context.value(QStringLiteral("kind"));
    values.NotesTX = context.value(QStringLiteral("notes"));
    if (const QString problem = IncidentStore::problem(values); !problem.isEmpty())
        throw UsageError{problem};

    dvData data;
    openUpgraded(context, data);
    context.out << IncidentStore(data).Add(values) << Qt::endl;
    return ExitCode::Ok;
}

int runIncidentAdd(CliContext& context) {
    const qint64 incident =
        identifier(context.argument(QStringLiteral("ID")), QStringLiteral("an incident's ID"));
    QList<qint64> items;
    for (const QString& item : context.arguments(QStringLiteral("ITEM")))
        items.append(identifier(item, QStringLiteral("an ItemID")));

    dvData data;
    openUpgraded(context, data);
    const IncidentStore incidents(data);
    const int added = incidents.AddItems(incident, items);
    context.out << "incident " << incident << ": " << added << " item(s) marked, "
                << incidents.Items(incident).rowCount() << " in all" << Qt::endl;
    return ExitCode::Ok;
}

int runIncidents(CliContext& context) {
    dvData data;
    openUpgraded(context, data);
    printTable(context.out, IncidentStore(data).List());
    return ExitCode::Ok;
}
