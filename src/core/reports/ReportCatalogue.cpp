#include "reports/ReportCatalogue.h"

#include "app/Settings.h"
#include "reports/rptColDetailedList.h"
#include "reports/rptColNotUpdated.h"
#include "reports/rptColSummary.h"
#include "reports/rptColValueSummary.h"
#include "reports/rptCoverageCheck.h"
#include "reports/rptGeneral.h"
#include "reports/rptInvCostSummary.h"
#include "reports/rptInvDetailedList.h"
#include "reports/rptInvNotUpdated.h"
#include "reports/rptInvProofOfOwnership.h"
#include "reports/rptInvPurchaseLocation.h"
#include "reports/rptInvSerialNumber.h"
#include "reports/rptInvSummaryList.h"
#include "reports/rptInvWarrantySmry.h"

namespace {

using Kind = ReportCatalogue::Kind;
using Filter = ReportCatalogue::Filter;
using Request = ReportRequest;

QList<ReportCatalogue::Report> inventoryReports() {
    return {
        {Kind::Inventory, QStringLiteral("Detailed Listing"),
         QStringLiteral("Detailed information report for selected inventory items.  Includes all "
                        "data fields captured for inventory items.  Select items based on type or "
                        "location."),
         Filter::TypeOrLocation,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvDetailedList::Generate(page, data, request.typeText,
                                                 request.locationText);
         }},
        {Kind::Inventory, QStringLiteral("Summary Listing"),
         QStringLiteral("Basic info for selected inventory items.  Includes manufacturer, item "
                        "name, model/series, type, location, and purchase price.  Select items "
                        "based on type or location."),
         Filter::TypeOrLocation,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvSummaryList::Generate(page, data, request.typeText, request.locationText);
         }},
        {Kind::Inventory, QStringLiteral("Warranty Summary"),
         QStringLiteral("Shows items that have warranty information on-file.  Choose to include "
                        "only active warranties or both active and expired warranties."),
         Filter::Warranty,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvWarrantySmry::Generate(page, data, request.includeExpired);
         }},
        {Kind::Inventory, QStringLiteral("Cost Summary"),
         QStringLiteral("Summarizes the purchase, appraisal, and replacement prices for selected "
                        "inventory items.  Select items based on type or location."),
         Filter::TypeOrLocation,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvCostSummary::Generate(page, data, request.typeText, request.locationText);
         }},
        {Kind::Inventory, QStringLiteral("Un-updated Item Listing"),
         QStringLiteral("Lists items that have not been updated since a selected date.  Helps "
                        "locate out-of-date information as well as items that may no longer be "
                        "owned."),
         Filter::SinceDate,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvNotUpdated::Generate(page, data, request.since);
         }},
        {Kind::Inventory, QStringLiteral("Serial Number Listing"),
         QStringLiteral("Lists all inventory items that have a serial number on-file.  Select "
                        "items based on type or location."),
         Filter::TypeOrLocation,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvSerialNumber::Generate(page, data, request.typeText,
                                                 request.locationText);
         }},
        {Kind::Inventory, QStringLiteral("Purchase Location Summary"),
         QStringLiteral("Shows where inventory items were purchased.  Select items based on type "
                        "or location."),
         Filter::TypeOrLocation,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvPurchaseLocation::Generate(page, data, request.typeText,
                                                     request.locationText);
         }},
        {Kind::Inventory, QStringLiteral("Proof of Ownership"),
         QStringLiteral("For an insurer: each selected item with its prices, purchase date and "
                        "place, serial number, and the photos and documents kept with it.  Select "
                        "items based on type or location."),
         Filter::TypeOrLocation,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptInvProofOfOwnership::Generate(page, data, request.typeText,
                                                     request.locationText);
         }},
        {Kind::Inventory, QLatin1String(rptCoverageCheck::Title),
         QStringLiteral("Compares what the items of each type are worth (replacement price, or "
                        "purchase price where none is recorded) with the policy's sub-limits and "
                        "its contents limit, and marks every type over its limit.  Limits are set "
                        "under Tools, Coverage Check."),
         Filter::None,
         [](rptGeneral& page, const dvData& data, const Request&) {
             return rptCoverageCheck::Generate(page, data);
         }},
    };
}

QList<ReportCatalogue::Report> collectionReports() {
    return {
        {Kind::Collection, QStringLiteral("Detailed Item Listing"),
         QStringLiteral("Detailed information report for items in the selected collection."),
         Filter::None,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptColDetailedList::Generate(page, data, request.collection);
         }},
        {Kind::Collection, QStringLiteral("Value Summary"),
         QStringLiteral("Summarizes the purchase, appraisal, and replacement prices for items in "
                        "the selected collection."),
         Filter::None,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptColValueSummary::Generate(page, data, request.collection);
         }},
        {Kind::Collection, QStringLiteral("Un-updated Item Listing"),
         QStringLiteral("Lists items in the selected collection that have not been updated since "
                        "a selected date.  Helps locate out-of-date information as well as items "
                        "that may no longer be owned."),
         Filter::SinceDate,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptColNotUpdated::Generate(page, data, request.collection, request.since);
         }},
        {Kind::Collection, QStringLiteral("Summary Listing"),
         QStringLiteral("Summary report that includes all of the custom fields for the selected "
                        "collection."),
         Filter::None,
         [](rptGeneral& page, const dvData& data, const Request& request) {
             return rptColSummary::Generate(page, data, request.collection);
         }},
    };
}

} // namespace

const QList<ReportCatalogue::Report>& ReportCatalogue::all() {
    static const QList<Report> reports = inventoryReports() + collectionReports();
    return reports;
}

QList<const ReportCatalogue::Report*> ReportCatalogue::ofKind(Kind kind) {
    QList<const Report*> reports;
    for (const Report& report : all())
        if (report.kind == kind)
            reports.append(&report);
    return reports;
}

const ReportCatalogue::Report* ReportCatalogue::find(Kind kind, const QString& caption) {
    for (const Report* report : ofKind(kind))
        if (report->caption.compare(caption.trimmed(), Qt::CaseInsensitive) == 0)
            return report;
    return nullptr;
}

QString ReportCatalogue::run(const Report& report, const dvData& data, const ReportRequest& request,
                             const QString& pagePath) {
    // A report formats amounts row by row, each after the rounding setting.
    const Settings::Held settings;
    rptGeneral page(pagePath);
    return report.generate(page, data, request);
}
