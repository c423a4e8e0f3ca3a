#pragma once

#include <QString>

// Hands a file to the desktop's default program for it (a report page to the web browser),
// without widgets, for the command-line tool. The desktop application opens files through its
// own desktop services instead.
namespace SystemOpen {

// Starts the desktop's opener (xdg-open) on the file and returns at once; false when the opener
// could not be started.
bool openFile(const QString& path);

} // namespace SystemOpen
