#pragma once

#include <optional>

// The keyboard's lock lights, for the status bar. Read from the X server's keyboard extension
// where there is one; elsewhere (no X server, another platform) they are unknown.
namespace KeyStates {

struct Locks {
    std::optional<bool> capsLock;
    std::optional<bool> numLock;
    std::optional<bool> scrollLock;
};

Locks read();

} // namespace KeyStates
