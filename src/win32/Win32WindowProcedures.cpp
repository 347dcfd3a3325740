#include "win32/Win32WindowProcedures.h"

#include <windows.h>

#include "win32/Handles.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kProgramWindowClass = L"OmbrelProgram";

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MessageHandler*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (handler == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return handler->HandleMessage({FromHwnd(window), message, wParam, lParam});
}

}  // namespace

WindowHandle Win32WindowProcedures::CreateProgramWindow(MessageHandler& handler) noexcept {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ProgramWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kProgramWindowClass;
    ::RegisterClassExW(&windowClass);  // already there on a second window: the same class
    // Never shown, and a tool window: no taskbar button, no place in the task switcher.
    return FromHwnd(::CreateWindowExW(WS_EX_TOOLWINDOW, kProgramWindowClass, L"Ombrel", WS_POPUP, 0,
                                      0, 0, 0, nullptr, nullptr, instance, &handler));
}

void Win32WindowProcedures::DestroyProgramWindow(WindowHandle window) noexcept {
    const HWND hwnd = ToHwnd(window);
    // Heard no more: what still arrives goes to the system's default.
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd);
}

std::intptr_t Win32WindowProcedures::DefaultProcedure(const WindowMessage& message) noexcept {
    return ::DefWindowProcW(ToHwnd(message.window), message.message, message.wParam,
                            message.lParam);
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

}  // namespace ombrel::win32
