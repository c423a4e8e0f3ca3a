#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// Shows a page the program wrote (a report or a graph) in the user's default web browser. When
// the desktop cannot hand the page over, the user is told in two messages (what failed, then
// why); the page stays on disk either way, so it can still be opened by hand.
//
// Opens the page and returns whether it opened.
bool openInBrowser(QWidget* parent, const QString& path);

// Runs `write`, which writes a page and returns its path, and returns that path. A page that
// could not be written (a full disk, a folder without write access; the previous page is
// still there) is told to the user and gives "". Errors of the database go on to the caller.
QString writePage(QWidget* parent, const std::function<QString()>& write);

// Replaces the desktop's opener, so that tests see which page would open without starting a
// browser; an empty function puts the desktop's opener back.
void setOpenerForTesting(std::function<bool(const QUrl&)> opener);
