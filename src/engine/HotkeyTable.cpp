#include "engine/HotkeyTable.h"

#include "platform/Text.h"

namespace ombrel {

std::u16string HotkeyName(const HotkeyRow& row) {
    std::u16string name = (row.modifiers & ModAlt) != 0 ? u"Ctrl+Alt+F" : u"Ctrl+F";
    return name + DecimalText(static_cast<long long>(row.virtualKey - kVkF1) + 1);
}

std::vector<HotkeyRefusal> RegisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd) {
    std::vector<HotkeyRefusal> refused;
    for (const HotkeyRow& row : kHotkeyTable) {
        const std::uint32_t code =
            hotkeys.RegisterHotKey(hWnd, row.id, row.modifiers, row.virtualKey);
        if (code != 0) {
            refused.push_back({row.id, code});
        }
    }
    return refused;
}

void UnregisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd) {
    for (const HotkeyRow& row : kHotkeyTable) {
        hotkeys.UnregisterHotKey(hWnd, row.id);
    }
}

}  // namespace ombrel
