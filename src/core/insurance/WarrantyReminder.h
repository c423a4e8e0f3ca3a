#pragma once

#include "data/Recordset.h"

class dvData;

// The warranties about to run out, for the reminder at start-up, the warranties window and
// domivo-cli warranties: items whose warranty flag is set and whose expiry date lies between
// today and the chosen number of days ahead, both days included. A warranty that ran out
// yesterday is no longer one to act on, and one without an expiry date never runs out.
class WarrantyReminder {
public:
    static constexpr int DefaultDays = 30;
    // The most days ahead the options window offers.
    static constexpr int MaxDays = 9999;

    // ItemID, Manufacturer, Item, Model, Expires (the short date), Days Left (0 for today),
    // soonest first, then by manufacturer and item.
    static Recordset expiring(const dvData& data, int days);

    // The days ahead the settings ask for (30 when missing or out of range).
    static int days();
    // Whether start-up should show the list: the reminder is on and has not shown it today.
    static bool isDue();
    // Notes today as the day the list was shown.
    static void noteShown();
};
