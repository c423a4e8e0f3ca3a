#pragma once

#include "data/GridRows.h"
#include "data/Recordset.h"

class Collection;

// The rows the collections window's grid and the command-line listing show for one collection:
// MainGrid's columns, with each field's values given by the field's kind as the reports write
// them (General::FieldValue): Yes/No as "True"/"False", amounts as money, readable dates as
// dates, which the grid shows in their short form and sorts by day. roundPrices is the
// "Round Prices" setting, which the Price column and the amount fields follow alike.
class CollectionGrid {
public:
    static Recordset rows(const Collection& collections, const QString& collection,
                          int roundPrices);
    // The same rows as the grid holds them, read straight from the engine into their typed
    // form, without a copy of the whole result on the way.
    static GridRows gridRows(const Collection& collections, const QString& collection,
                             int roundPrices);
};
