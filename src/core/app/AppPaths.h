#pragma once

#include <QString>

// Where the application keeps its files.
//   data folder:    the database, the report page and their .bad/.tmp siblings. It is the
//                   --data-dir option when given, else $DOMIVO_DATA_DIR, else the per-user
//                   data location; it is created when missing.
//   install folder: the read-only files that ship with the program (stylesheet, help file):
//                   beside the executable, or the installed share folder.
namespace AppPaths {

inline constexpr const char* DatabaseFileName = "Domivo.mdb";
inline constexpr const char* DataDirVariable = "DOMIVO_DATA_DIR";
// The page that reports and graphs write and show; each one replaces it.
inline constexpr const char* PageFileName = "DV-RPT.HTM";

// Sets the application and organisation names that the per-user locations derive from.
void setApplicationIdentity();

// Resolves and creates the data folder. Throws std::runtime_error when it cannot be created.
QString dataFolder(const QString& commandLineOverride = QString());
QString databaseFile(const QString& dataFolder);
QString pageFile(const QString& dataFolder);

// The first folder that holds the named shipped file, or "" when none does.
QString findInstalledFile(const QString& fileName);

} // namespace AppPaths
