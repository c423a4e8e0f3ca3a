#include "CliCommand.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/SystemOpen.h"
#include "data/dvData.h"
#include "reports/ReportCatalogue.h"
#include "types/DateText.h"

#include <QDir>
#include <QFileInfo>

namespace {

using Filter = ReportCatalogue::Filter;
using Kind = ReportCatalogue::Kind;

const QString AllValues = QStringLiteral("*** All ***");

// The captions of one kind's reports, for the message that names none of them.
QString captions(Kind kind) {
    QStringList names;
    for (const ReportCatalogue::Report* report : ReportCatalogue::ofKind(kind))
        names.append(QStringLiteral("'%1'").arg(report->caption));
    return names.join(QStringLiteral(", "));
}

// A filter option that the report has no use for is refused rather than ignored, so that a
// script does not take a page for filtered when it is not.
void refuseUnused(const CliContext& context, const ReportCatalogue::Report& report) {
    const struct {
        const char* option;
        Filter usedBy;
    } filters[] = {{"type", Filter::TypeOrLocation},
                   {"location", Filter::TypeOrLocation},
                   {"since", Filter::SinceDate},
                   {"include-expired", Filter::Warranty}};
    for (const auto& filter : filters) {
        const QString option = QLatin1String(filter.option);
        if (context.isSet(option) && report.filter != filter.usedBy)
            throw UsageError{QStringLiteral("--%1 does not apply to the report '%2'")
                                 .arg(option, report.caption)};
    }
    if (context.isSet(QStringLiteral("type")) && context.isSet(QStringLiteral("location")))
        throw UsageError{QStringLiteral("give --type or --location, not both")};
}

// The filter as the reports window would pass it: the window opens on "*** All ***" types, and
// choosing by location leaves the type text empty.
ReportRequest request(const CliContext& context) {
    ReportRequest request;
    request.collection = context.value(QStringLiteral("collection"));
    if (context.isSet(QStringLiteral("location")))
        request.locationText = context.value(QStringLiteral("location"));
    else if (context.isSet(QStringLiteral("type")))
        request.typeText = context.value(QStringLiteral("type"));
    else
        request.typeText = AllValues;
    request.since = Clock::today();
    if (context.isSet(QStringLiteral("since"))) {
        const QString text = context.value(QStringLiteral("since"));
        request.since = DateText::parseDate(text);
        if (!request.since.isValid())
            throw UsageError{QStringLiteral("'%1' is not a date").arg(text)};
    }
    request.includeExpired = context.isSet(QStringLiteral("include-expired"));
    return request;
}

} // namespace

int runReport(CliContext& context) {
    const QString name = context.argument(QStringLiteral("NAME"));
    const bool ofCollection = context.isSet(QStringLiteral("collection"));
    const Kind kind = ofCollection ? Kind::Collection : Kind::Inventory;
    const ReportCatalogue::Report* report = ReportCatalogue::find(kind, name);
    if (!report) {
        context.err << "domivo-cli: there is no " << (ofCollection ? "collection" : "inventory")
                    << " report named '" << name << "'; the reports are " << captions(kind)
                    << Qt::endl;
        return ExitCode::Failed;
    }
    refuseUnused(context, *report);
    ReportRequest wanted = request(context);

    dvData data;
    context.openDatabase(data);
    if (ofCollection) {
        const Recordset collection = data.Collection().Retrieve(wanted.collection);
        if (collection.isEmpty()) {
            context.err << "domivo-cli: there is no collection named '" << wanted.collection << "'"
                        << Qt::endl;
            return ExitCode::Failed;
        }
        // The page names the collection as it is stored, whatever the letter case typed.
        wanted.collection = collection.value(0, QStringLiteral("CollectionNM")).toString();
    }
    return writeReportPage(context, *report, data, wanted);
}

int writeReportPage(CliContext& context, const ReportCatalogue::Report& report, dvData& data,
                    const ReportRequest& wanted) {
    const QString output =
        context.isSet(QStringLiteral("output"))
            ? QFileInfo(context.value(QStringLiteral("output"))).absoluteFilePath()
            : AppPaths::pageFile(context.dataFolder());
    const QString page = ReportCatalogue::run(report, data, wanted, output);
    context.out << QDir::toNativeSeparators(page) << Qt::endl;
    if (context.isSet(QStringLiteral("open")) && !SystemOpen::openFile(page)) {
        context.err << "domivo-cli: the page was written, but no program could be started to "
                       "open it (xdg-open)"
                    << Qt::endl;
        return ExitCode::Failed;
    }
    return ExitCode::Ok;
}
