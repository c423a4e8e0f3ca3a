#pragma once

#include <functional>

class frmMain;

// The desktop program: its command line, the application object and the main window, from
// main() to the end of the event loop. domivo's main() is this function; the benchmark runs the
// same start-up through it to time it.
namespace DomivoMain {

// Runs the program and returns its exit code. `started`, when given, is called once the main
// window is up (the start-up has run and the first tool window is open), before the event loop
// starts.
int run(int argc, char* argv[], const std::function<void(frmMain&)>& started = {});

} // namespace DomivoMain
