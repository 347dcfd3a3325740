// Another program for the end-to-end tests: opens top-level windows and keeps them answering,
// or hangs after opening them.
//   OmbrelTestApp <title> [count] [--hang] [--class NAME] [--owned] [--tip]
// Windows are titled "<title>" (one) or "<title> 1".."<title> n"; the last one comes to the front.
// --owned: the first window owns the others, dialogs with a title bar. --tip: the first window
// also owns "<title> tip", a tool window without a title bar, as a tooltip or a drop-down is.
// kStopAnswering posted to a window (wParam: seconds) makes the program take no message for
// that long, as a busy program does.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr UINT kStopAnswering = WM_APP + 7;

LRESULT CALLBACK AppProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kStopAnswering) {
        ::Sleep(static_cast<DWORD>(wParam) * 1000);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::wstring title = argv[1];
    int count = 1;
    bool hang = false;
    bool owned = false;
    bool tip = false;
    std::wstring className = L"OmbrelTestApp";
    for (int i = 2; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--hang") == 0) {
            hang = true;
        } else if (std::wcscmp(argv[i], L"--owned") == 0) {
            owned = true;
        } else if (std::wcscmp(argv[i], L"--tip") == 0) {
            tip = true;
        } else if (std::wcscmp(argv[i], L"--class") == 0 && i + 1 < argc) {
            className = argv[++i];
        } else {
            count = _wtoi(argv[i]);
        }
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &AppProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    ::RegisterClassW(&windowClass);
    HWND first = nullptr;
    HWND last = nullptr;
    for (int i = 1; i <= count; ++i) {
        const std::wstring name = count == 1 ? title : title + L" " + std::to_wstring(i);
        const bool dialog = owned && first != nullptr;
        const DWORD style = dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE
                                   : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        last = ::CreateWindowExW(0, className.c_str(), name.c_str(), style, 60 + 30 * (i % 20),
                                 140 + 25 * (i % 20), 300, 180, dialog ? first : nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        first = first == nullptr ? last : first;
    }
    if (tip) {
        ::CreateWindowExW(WS_EX_TOOLWINDOW, className.c_str(), (title + L" tip").c_str(),
                          WS_POPUP | WS_BORDER | WS_VISIBLE, 400, 100, 120, 24, first, nullptr,
                          windowClass.hInstance, nullptr);
    }
    ::SetForegroundWindow(last);
    MSG message{};
    // Let the windows be drawn once, then stop answering if asked to: a hung program.
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&message);
    }
    if (hang) {
        ::Sleep(INFINITE);
    }
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
