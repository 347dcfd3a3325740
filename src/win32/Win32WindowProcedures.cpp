#include "win32/Win32WindowProcedures.h"

#include <windows.h>

#include "win32/Handles.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kHandlerProperty = L"Ombrel.MessageHandler";

LRESULT CALLBACK HookThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* handler = static_cast<MessageHandler*>(::GetPropW(window, kHandlerProperty));
    if (handler == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return handler->HandleMessage({FromHwnd(window), message, wParam, lParam});
}

WindowProcedure Thunk() {
    return FromWndProc(reinterpret_cast<LONG_PTR>(&HookThunk));
}

}  // namespace

WindowProcedure Win32WindowProcedures::HookProcedure(MessageHandler& handler) noexcept {
    handler_ = &handler;
    return Thunk();
}

WindowProcedure Win32WindowProcedures::SetWindowProcedure(WindowHandle window,
                                                          WindowProcedure procedure) noexcept {
    const HWND hwnd = ToHwnd(window);
    // The handler is in place before the first message can reach the thunk, and goes with it.
    if (procedure == Thunk()) {
        ::SetPropW(hwnd, kHandlerProperty, handler_);
    }
    const WindowProcedure previous =
        FromWndProc(::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(procedure)));
    if (procedure != Thunk()) {
        ::RemovePropW(hwnd, kHandlerProperty);
    }
    return previous;
}

void Win32WindowProcedures::AllowFromAnyProgram(WindowHandle window,
                                                std::uint32_t message) noexcept {
    ::ChangeWindowMessageFilterEx(ToHwnd(window), message, MSGFLT_ALLOW, nullptr);
}

bool Win32WindowProcedures::ListenToShell(WindowHandle window, bool listen) noexcept {
    // Wine has these as stubs that refuse: nothing arrives there.
    return listen ? ::RegisterShellHookWindow(ToHwnd(window)) != FALSE
                  : ::DeregisterShellHookWindow(ToHwnd(window)) != FALSE;
}

std::intptr_t Win32WindowProcedures::CallWindowProcedure(WindowProcedure procedure,
                                                         const WindowMessage& message) noexcept {
    return ::CallWindowProcW(ToWndProc(procedure), ToHwnd(message.window), message.message,
                             message.wParam, message.lParam);
}

}  // namespace ombrel::win32
