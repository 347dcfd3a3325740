#include "engine/HotkeyTable.h"

namespace ombrel {

std::vector<HotkeyRefusal> RegisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd,
                                           const KeyBindings& keys,
                                           bool (*wanted)(const KeyBinding&)) {
    std::vector<HotkeyRefusal> refused;
    for (std::size_t id = 0; id < keys.size(); ++id) {
        const KeyBinding& key = keys[id];
        if (wanted != nullptr && !wanted(key)) {
            continue;
        }
        // One press is one command, or "next" held would race through the desktops and a
        // toggle flicker.
        const SystemError error = hotkeys.RegisterHotKey(
            hWnd, static_cast<int>(id), key.modifiers | ModNoRepeat, key.virtualKey);
        if (error.Failed()) {
            refused.push_back({static_cast<int>(id), error});
        }
    }
    return refused;
}

void UnregisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd, const KeyBindings& keys) {
    for (std::size_t id = 0; id < keys.size(); ++id) {
        static_cast<void>(hotkeys.UnregisterHotKey(hWnd, static_cast<int>(id)));
    }
}

}  // namespace ombrel
