#pragma once

#include <QString>
#include <QVariant>

// One setting of the per-user store: a section and a key.
struct SettingKey {
    const char* section;
    const char* key;
};

// Every setting the application reads or writes. Values are text; check boxes are "0" or "1".
namespace SettingKeys {
inline constexpr SettingKey RequireManufacturer{"Required", "Manufacturer"};
inline constexpr SettingKey RequireModel{"Required", "Model"};
inline constexpr SettingKey RequirePurchaseLocation{"Required", "Purchase Location"};
inline constexpr SettingKey RequirePurchasePrice{"Required", "Purchase Price"};
inline constexpr SettingKey RequirePurchaseDate{"Required", "Purchase Date"};
// "0" leave an empty replacement price blank, "1" use the purchase price, "2" a percentage of it.
inline constexpr SettingKey ReplacePrice{"Prices", "Replace Price"};
inline constexpr SettingKey ReplacePercent{"Prices", "Replace Percent"};
inline constexpr SettingKey RoundPrices{"Prices", "Round Prices"};
inline constexpr SettingKey RemindCompact{"Settings", "RemindCompact"};
inline constexpr SettingKey CompactDays{"Settings", "CompactDays"};
inline constexpr SettingKey RemindBackup{"Settings", "RemindBackup"};
inline constexpr SettingKey BackupDays{"Settings", "BackupDays"};
inline constexpr SettingKey ViewBy{"Settings", "View By"};
inline constexpr SettingKey LastCompact{"Dates", "LastCompact"};
inline constexpr SettingKey LastBackup{"Dates", "LastBackup"};
// The warranty reminder of start-up: "0"/"1" (on when missing), how many days ahead it looks
// (30 when missing), and the day it last showed its list, since it shows it once a day at most.
inline constexpr SettingKey RemindWarranty{"Settings", "RemindWarranty"};
inline constexpr SettingKey WarrantyDays{"Settings", "WarrantyDays"};
inline constexpr SettingKey LastWarrantyReminder{"Dates", "LastWarrantyReminder"};
// Where the main window was left: its normal place and size in pixels (the inside of the
// window, without the frame) and whether it was maximised ("0"/"1").
inline constexpr SettingKey WindowLeft{"Window", "Left"};
inline constexpr SettingKey WindowTop{"Window", "Top"};
inline constexpr SettingKey WindowWidth{"Window", "Width"};
inline constexpr SettingKey WindowHeight{"Window", "Height"};
inline constexpr SettingKey WindowMaximized{"Window", "Maximized"};
} // namespace SettingKeys

// The per-user settings store, shared by the application, the command-line tool and the
// tests: an INI file "Qelto Domivo/Qelto Domivo.ini" in the user's configuration folder.
// Every reader supplies its own default; a missing value is never an error.
namespace Settings {

inline constexpr const char* ApplicationName = "Qelto Domivo";

QString text(SettingKey key, const QString& defaultValue = QString());
// The value read as a whole number (rounded); the default when it is missing, not a number or
// beyond the range of int.
int integer(SettingKey key, int defaultValue);
// The value read as a number (for instance a percentage typed as "12.5"); the default when it
// is missing or not a finite number.
double number(SettingKey key, double defaultValue);
bool contains(SettingKey key);

void setText(SettingKey key, const QString& value);
void setInteger(SettingKey key, int value);
void setFlag(SettingKey key, bool on);

// The file the store is kept in.
QString fileName();

// While one is alive, the reads of this thread come from one open store instead of opening it
// for every value: a report, an export or a grid that formats a value per row reads the same
// settings thousands of times, and opening the store looks at its files each time. Writes go
// to the file as ever. Nested holds share the outermost one.
class Held {
public:
    Held();
    ~Held();
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

private:
    bool m_outermost = false;
};

} // namespace Settings
