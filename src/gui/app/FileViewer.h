#pragma once

#include <QString>
#include <functional>

// Shows a file in the program the desktop opens it with (a photo viewer, a PDF reader).
namespace FileViewer {

// Opens the file; false when the desktop could not hand it over.
bool open(const QString& path);
// Replaces the desktop's opener, so that tests see which file would open without starting a
// viewer; an empty function puts the desktop's opener back.
void setOpenerForTesting(std::function<bool(const QString&)> opener);

} // namespace FileViewer
