#pragma once

#include <functional>

class QWidget;

// Runs what the user asked for. An engine error ends the command with the engine's message in a
// critical box (captioned with the window's title) and the application keeps running. Returns
// false when the command ended that way.
bool RunCommand(QWidget* parent, const std::function<void()>& command);
