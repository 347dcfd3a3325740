#include "win32/Win32Hotkeys.h"

#include <windows.h>

#include "win32/Handles.h"

namespace ombrel::win32 {

SystemError Win32Hotkeys::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                         std::uint32_t virtualKey) noexcept {
    static_assert(ModNoRepeat == MOD_NOREPEAT);
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey)
               ? kSucceeded
               : SystemError(::GetLastError());
}

SystemError Win32Hotkeys::UnregisterHotKey(WindowHandle window, int id) noexcept {
    return ::UnregisterHotKey(ToHwnd(window), id) ? kSucceeded : SystemError(::GetLastError());
}

}  // namespace ombrel::win32
