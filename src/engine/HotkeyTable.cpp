#include "engine/HotkeyTable.h"

#include "platform/Text.h"

namespace ombrel {

std::u16string HotkeyName(const HotkeyRow& row) {
    std::u16string name = (row.modifiers & ModAlt) != 0 ? u"Ctrl+Alt+F" : u"Ctrl+F";
    return name + DecimalText(static_cast<long long>(row.virtualKey - kVkF1) + 1);
}

KeyBindings DescribedKeyBindings() {
    KeyBindings keys;
    for (const HotkeyRow& row : kHotkeyTable) {
        keys.push_back({row.modifiers, row.virtualKey, *CommandFromCode(row.id), HotkeyName(row)});
    }
    return keys;
}

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
        const std::uint32_t code = hotkeys.RegisterHotKey(
            hWnd, static_cast<int>(id), key.modifiers | ModNoRepeat, key.virtualKey);
        if (code != 0) {
            refused.push_back({static_cast<int>(id), code});
        }
    }
    return refused;
}

void UnregisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd, const KeyBindings& keys) {
    for (std::size_t id = 0; id < keys.size(); ++id) {
        hotkeys.UnregisterHotKey(hWnd, static_cast<int>(id));
    }
}

}  // namespace ombrel
