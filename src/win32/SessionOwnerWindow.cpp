#include "win32/SessionOwnerWindow.h"

#include <utility>

#include "win32/Win32FormRuntime.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kOwnerClassName = L"OmbrelOwner";

}  // namespace

SessionOwnerWindow::SessionOwnerWindow(HINSTANCE instance, Win32FormRuntime& runtime)
    : runtime_(runtime) {
    WNDCLASSEXW ownerClass{};
    ownerClass.hInstance = instance;
    ownerClass.lpszClassName = kOwnerClassName;
    RegisterWindowClass(ownerClass);
    CreateNativeWindow(WS_EX_TOOLWINDOW, kOwnerClassName, L"Ombrel", WS_POPUP, nullptr, instance);
}

SessionOwnerWindow::~SessionOwnerWindow() {
    if (window_ != nullptr) {
        ::DestroyWindow(std::exchange(window_, nullptr));
    }
}

LRESULT SessionOwnerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYENDSESSION) {
        runtime_.SessionEnding();
        return TRUE;
    }
    if (message == WM_ENDSESSION && wParam != FALSE) {
        // Logging off: every held window is shown again before the session goes.
        runtime_.EndSession();
        return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace ombrel::win32
