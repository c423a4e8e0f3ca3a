#pragma once

#include "graphs/gphGeneral.h"

#include <QString>

class dvData;

// One entry of the graph list: the text the user picks and everything needed to draw the graph,
// so that drawing never has to take the text apart (a collection name may hold " - ", a field
// name blanks).
struct GraphEntry {
    enum class Routine {
        CountByType,
        CountByLocation,
        PriceByType,
        PriceByLocation,
        CountSummary,
        PriceSummary,
        FieldGraph
    };

    QString text;
    Routine routine = Routine::CountByType;
    // The price routines' column: PurchasePriceAM, AppraisalPriceAM or ReplacePriceAM.
    QString priceColumn{};
    // A field graph's collection and field, and whether it counts ("Count") or sums ("Price").
    QString collection{};
    qint64 fieldID = -1;
    QString fieldName{};
    QString fieldKind{};

    // Asks the graph's routine for its chart. Database errors are thrown as DbError.
    Graph draw(const dvData& data) const;
};
