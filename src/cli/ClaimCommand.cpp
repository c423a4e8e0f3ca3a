#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/dvData.h"
#include "insurance/Claim.h"
#include "insurance/ClaimCsv.h"
#include "insurance/InsuranceUpgrade.h"
#include "reports/rptGeneral.h"
#include "reports/rptIncidentClaim.h"

#include <QDir>
#include <QFileInfo>

int runClaim(CliContext& context) {
    const QString idText = context.argument(QStringLiteral("ID"));
    bool ok = false;
    const qint64 incident = idText.toLongLong(&ok);
    if (!ok || incident <= 0)
        throw UsageError{QStringLiteral("'%1' is not an incident's ID").arg(idText)};

    dvData data;
    context.openDatabase(data);
    InsuranceUpgrade::UpdateDatabase(data.connString());
    const Claim claim = Claim::load(data, incident);
    const QString output =
        context.isSet(QStringLiteral("output"))
            ? QFileInfo(context.value(QStringLiteral("output"))).absoluteFilePath()
            : AppPaths::pageFile(context.dataFolder());
    rptGeneral page(output);
    context.out << QDir::toNativeSeparators(rptIncidentClaim::Generate(page, claim)) << Qt::endl;
    if (context.isSet(QStringLiteral("csv"))) {
        const QString csv = QFileInfo(context.value(QStringLiteral("csv"))).absoluteFilePath();
        ClaimCsv::write(claim, csv);
        context.out << QDir::toNativeSeparators(csv) << Qt::endl;
    }
    return ExitCode::Ok;
}
