#pragma once

#include <QDate>
#include <QList>
#include <QString>

class dvData;
class rptGeneral;

// Everything a report may be asked for; each report reads only what its filter names.
struct ReportRequest {
    // Each member has an initializer, so callers name only the members they set.
    // The collection a collection report is about.
    QString collection{};
    // The texts of the type and location combos: a text filters unless it is empty or "***
    // All ***". The type text is looked at first; with neither, "*** All ***" as the type text
    // groups by type and anything else by location.
    QString typeText{};
    QString locationText{};
    // The un-updated listings: items last changed on or before this date's midnight.
    QDate since{};
    // The warranty summary: expired warranties too.
    bool includeExpired = false;
};

// The reports the reports window lists and the command-line tool runs, in the window's order,
// with what each needs to know.
class ReportCatalogue {
public:
    enum class Kind { Inventory, Collection };
    enum class Filter { None, TypeOrLocation, Warranty, SinceDate };

    struct Report {
        Kind kind;
        // As the window lists it; the command-line tool looks reports up by it.
        QString caption;
        QString description;
        Filter filter;
        // Writes the page and returns its path.
        QString (*generate)(rptGeneral& page, const dvData& data, const ReportRequest& request);
    };

    static const QList<Report>& all();
    // One kind's reports in list order, so that a report's position is its index in the
    // window's list.
    static QList<const Report*> ofKind(Kind kind);
    // The report of that kind whose caption matches, letter case aside; nullptr when none does.
    static const Report* find(Kind kind, const QString& caption);

    // Runs a report into a page file and returns its path. Database errors go to the caller
    // (DbError), and so does a page that cannot be written (std::runtime_error); the page
    // file is then as it was before.
    static QString run(const Report& report, const dvData& data, const ReportRequest& request,
                       const QString& pagePath);
};
