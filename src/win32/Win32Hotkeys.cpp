#include "win32/Win32Hotkeys.h"

#include <windows.h>

#include "win32/Handles.h"

namespace ombrel::win32 {
namespace {

MessageHandler* g_hookHandler = nullptr;

LRESULT CALLBACK HookThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return g_hookHandler->HandleMessage({FromHwnd(window), message, wParam, lParam});
}

}  // namespace

std::uint32_t Win32Hotkeys::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                           std::uint32_t virtualKey) noexcept {
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) ? 0 : ::GetLastError();
}

std::uint32_t Win32Hotkeys::UnregisterHotKey(WindowHandle window, int id) noexcept {
    return ::UnregisterHotKey(ToHwnd(window), id) ? 0 : ::GetLastError();
}

WindowProcedure Win32WindowProcedures::HookProcedure(MessageHandler& handler) noexcept {
    g_hookHandler = &handler;
    return FromWndProc(reinterpret_cast<LONG_PTR>(&HookThunk));
}

WindowProcedure Win32WindowProcedures::SetWindowProcedure(WindowHandle window,
                                                          WindowProcedure procedure) noexcept {
    return FromWndProc(
        ::SetWindowLongPtrW(ToHwnd(window), GWLP_WNDPROC, static_cast<LONG_PTR>(procedure)));
}

std::intptr_t Win32WindowProcedures::CallWindowProcedure(WindowProcedure procedure,
                                                         const WindowMessage& message) noexcept {
    return ::CallWindowProcW(ToWndProc(procedure), ToHwnd(message.window), message.message,
                             message.wParam, message.lParam);
}

}  // namespace ombrel::win32
