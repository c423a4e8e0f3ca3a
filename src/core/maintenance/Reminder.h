#pragma once

#include <QString>
#include <optional>

// The compact and backup reminders of start-up: whether one is due, by the settings the
// options window writes and today's date, and what it says.
class Reminder {
public:
    enum class Kind { Compact, Backup };

    // The days between the last compact (or backup) and today, counted in calendar days in
    // either direction, when the user asked to be reminded and more days than chosen have
    // passed; nullopt when no reminder is due. A missing or unreadable date counts as today.
    static std::optional<qint64> dueDays(Kind kind);
    static QString text(Kind kind, qint64 days);
};
