#include "maintenance/Reminder.h"

#include "app/Clock.h"
#include "app/Settings.h"
#include "types/DateText.h"

#include <cstdlib>

std::optional<qint64> Reminder::dueDays(Kind kind) {
    const bool compact = kind == Kind::Compact;
    if (Settings::number(compact ? SettingKeys::RemindCompact : SettingKeys::RemindBackup, 0) != 1)
        return std::nullopt;
    const int days =
        Settings::integer(compact ? SettingKeys::CompactDays : SettingKeys::BackupDays, 0);
    const QDate today = Clock::today();
    QDate last = DateText::parseDate(
        Settings::text(compact ? SettingKeys::LastCompact : SettingKeys::LastBackup));
    if (!last.isValid())
        last = today;
    const qint64 passed = std::llabs(DateText::daysBetween(last, today));
    if (passed <= days)
        return std::nullopt;
    return passed;
}

QString Reminder::text(Kind kind, qint64 days) {
    if (kind == Kind::Compact)
        return QStringLiteral("You haven't compacted your Domivo database in %1 days.\r\n"
                              "Do you want to compact now?")
            .arg(days);
    return QStringLiteral("You haven't made a backup of your Domivo database in %1 days.\r\n"
                          "Do you want to make a backup now?")
        .arg(days);
}
