#include "CliCommand.h"

#include "data/dvData.h"
#include "insurance/CoverageStore.h"
#include "insurance/InsuranceUpgrade.h"
#include "reports/ReportCatalogue.h"
#include "reports/rptCoverageCheck.h"


namespace {

void openUpgraded(const CliContext& context, dvData& data) {
    context.openDatabase(data);
    InsuranceUpgrade::UpdateDatabase(data.connString());
}

// An amount as typed ("1500", "1,500.00", "$1,500"), or "none" for no limit.
std::optional<Currency> limit(const QString& text) {
    if (text.trimmed().compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    const auto amount = Currency::parse(text, true, 2);
    if (!amount || *amount < Currency())
        throw UsageError{
            QStringLiteral("'%1' is not an amount of at least 0 (or \"none\")").arg(text)};
    return amount;
}

QString limitText(std::optional<Currency> amount) {
    return amount ? amount->format(QStringLiteral("$#,##0.00")) : QStringLiteral("none");
}

} // namespace

int runCoverage(CliContext& context) {
    dvData data;
    openUpgraded(context, data);
    const ReportCatalogue::Report* report = ReportCatalogue::find(
        ReportCatalogue::Kind::Inventory, QLatin1String(rptCoverageCheck::Title));
    Q_ASSERT(report);
    return writeReportPage(context, *report, data, {});
}

int runCoverageSet(CliContext& context) {
    const QString type = context.argument(QStringLiteral("TYPE"));
    const QString amount = context.argument(QStringLiteral("AMOUNT"));
    const bool total = context.isSet(QStringLiteral("total"));
    if (!type.isEmpty() && amount.isEmpty())
        throw UsageError{QStringLiteral("coverage set needs AMOUNT after TYPE")};
    if (type.isEmpty() && !total)
        throw UsageError{QStringLiteral("coverage set needs TYPE AMOUNT or --total AMOUNT")};
    const std::optional<Currency> contents =
        total ? limit(context.value(QStringLiteral("total"))) : std::nullopt;
    const std::optional<Currency> typeLimit = type.isEmpty() ? std::nullopt : limit(amount);

    dvData data;
    openUpgraded(context, data);
    const CoverageStore store(data);
    if (total) {
        store.setContentsLimit(contents);
        context.out << "contents limit: " << limitText(contents) << Qt::endl;
    }
    if (!type.isEmpty()) {
        store.setLimit(type, typeLimit);
        const auto limits = store.limits().byType;
        // Named as the type list spells it.
        QString listed = type;
        for (auto it = limits.cbegin(); it != limits.cend(); ++it)
            if (it.key().compare(type, Qt::CaseInsensitive) == 0)
                listed = it.key();
        context.out << listed << ": " << limitText(typeLimit) << Qt::endl;
    }
    return ExitCode::Ok;
}
