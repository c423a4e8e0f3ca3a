#pragma once

#include <QString>

// The connection string is the one handle on a database file:
// "Provider=SQLite3;Data Source=<full file name>;".
namespace ConnectionString {

inline constexpr const char* Provider = "SQLite3";

QString forFile(const QString& path);
// The file name taken back out: the text after "Data Source=" without its closing ";".
QString dataSource(const QString& connString);

} // namespace ConnectionString
