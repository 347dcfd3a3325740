// The least a switcher of this design must do, for comparison: one small always-on-top window
// and, once a second, a walk over the top-level windows with a visibility test. Nothing else.
#include <windows.h>

#include <vector>

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

std::vector<HWND>& VisibleWindows() {
    static std::vector<HWND> windows;
    return windows;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM /*unused*/) {
    if (::IsWindowVisible(window)) {
        VisibleWindows().push_back(window);
    }
    return TRUE;
}

LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            VisibleWindows().clear();
            ::EnumWindows(&CollectVisible, 0);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*unused*/, PWSTR /*unused*/, int /*unused*/) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &MinimalProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"OmbrelBenchMinimal";
    ::RegisterClassW(&windowClass);
    const HWND window =
        ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName,
                          L"这是桌面-1", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 900, 0,
                          360, 60, nullptr, nullptr, instance, nullptr);
    ::SetTimer(window, kRefreshTimer, 1000, nullptr);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
