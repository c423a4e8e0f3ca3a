#pragma once

#include <QString>

// Where the application keeps its files.
//   data folder:    the database, the report page and their .bad/.tmp siblings. It is the
//                   --data-dir option when given, else $DOMIVO_DATA_DIR, else the per-user
//                   data location; it is created when missing.
//   install folder: the read-only files that ship with the program (stylesheet, help file):
//                   beside the executable in the build tree, or ../share/domivo seen from the
//                   installed executable's folder (bin/).
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

// The named shipped file in the first install folder that holds it, or "" when none does.
QString findInstalledFile(const QString& fileName);
// The same, for a program installed in programFolder.
QString findInstalledFile(const QString& fileName, const QString& programFolder);

} // namespace AppPaths
