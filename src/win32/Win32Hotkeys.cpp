#include "win32/Win32Hotkeys.h"

#include <windows.h>

#include "win32/Handles.h"

namespace ombrel::win32 {

std::uint32_t Win32Hotkeys::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                           std::uint32_t virtualKey) noexcept {
    static_assert(ModNoRepeat == MOD_NOREPEAT);
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) ? 0 : ::GetLastError();
}

std::uint32_t Win32Hotkeys::UnregisterHotKey(WindowHandle window, int id) noexcept {
    return ::UnregisterHotKey(ToHwnd(window), id) ? 0 : ::GetLastError();
}

}  // namespace ombrel::win32
