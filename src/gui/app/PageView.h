#pragma once

// The embedded page view (Qt WebEngine, which runs Chromium) needs a word before the
// application object exists.
namespace PageView {

// Call before QApplication is made: lets the page view share its drawing contexts with the
// windows, and, when the program runs as root, starts Chromium without its sandbox, which
// refuses to run as root (QTWEBENGINE_DISABLE_SANDBOX, unless the caller set it already).
void prepareProcess();

} // namespace PageView
