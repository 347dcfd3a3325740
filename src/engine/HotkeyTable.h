#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/KeyBindings.h"
#include "platform/Hotkeys.h"

namespace ombrel {

// A hotkey the system refused, with its error code.
struct HotkeyRefusal {
    int id;
    SystemError error;
};

// Registers the keys for the window, those the filter lets through; a combination another
// program holds is skipped and listed among the refusals.
std::vector<HotkeyRefusal> RegisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd,
                                           const KeyBindings& keys,
                                           bool (*wanted)(const KeyBinding&) = nullptr);
void UnregisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd, const KeyBindings& keys);

}  // namespace ombrel
