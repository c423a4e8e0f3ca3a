#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// Pages (reports, graphs) are shown in the user's default web browser through this seam, so that
// tests can see what would be opened without a browser starting.

// Opens the page file in the default browser. When the desktop cannot open it, tells the user in
// two messages (what failed, then why) and returns false; the page stays on disk either way.
bool openInBrowser(QWidget* parent, const QString& path);

// Replaces the desktop's opener (QDesktopServices::openUrl) with `opener`, which answers whether
// the page was opened; an empty function brings the desktop's back.
void setOpenerForTesting(std::function<bool(const QUrl&)> opener);
