#include "engine/HotkeyTable.h"

namespace ombrel {

void RegisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd) {
    for (const HotkeyRow& row : kHotkeyTable) {
        hotkeys.RegisterHotKey(hWnd, row.id, row.modifiers, row.virtualKey);
    }
}

void UnregisterHotKeys(Hotkeys& hotkeys, WindowHandle hWnd) {
    for (const HotkeyRow& row : kHotkeyTable) {
        hotkeys.UnregisterHotKey(hWnd, row.id);
    }
}

}  // namespace ombrel
