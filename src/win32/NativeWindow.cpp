#include "win32/NativeWindow.h"

namespace ombrel::win32 {

void NativeWindow::RegisterWindowClass(WNDCLASSEXW windowClass) {
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &NativeWindow::Procedure;
    ::RegisterClassExW(&windowClass);
}

HWND NativeWindow::CreateNativeWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                                      DWORD style, HWND owner, HINSTANCE instance) {
    window_ = ::CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                                0, owner, nullptr, instance, this);
    return window_;
}

LRESULT CALLBACK NativeWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<NativeWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // The message counts as handled.
        return 0;
    }
}

}  // namespace ombrel::win32
