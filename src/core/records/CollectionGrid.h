#pragma once

#include "data/Recordset.h"

class Collection;

// The rows the collections window's grid and the command-line listing show for one collection:
// MainGrid's columns, with each field's values given by the field's kind as the reports write
// them (General::FieldValue): Yes/No as "True"/"False", amounts as money, readable dates as
// dates, which the grid shows in their short form and sorts by day.
class CollectionGrid {
public:
    static Recordset rows(const Collection& collections, const QString& collection,
                          int roundPrices);
};
