// Another program for the end-to-end tests: opens top-level windows and keeps them answering,
// or hangs after opening them.
//   OmbrelTestApp <title> [count] [--hang] [--class NAME]
// Windows are titled "<title>" (one) or "<title> 1".."<title> n"; the last one comes to the front.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

LRESULT CALLBACK AppProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
    std::wstring className = L"OmbrelTestApp";
    for (int i = 2; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--hang") == 0) {
            hang = true;
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
    HWND last = nullptr;
    for (int i = 1; i <= count; ++i) {
        const std::wstring name = count == 1 ? title : title + L" " + std::to_wstring(i);
        last =
            ::CreateWindowExW(0, className.c_str(), name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              60 + 30 * (i % 20), 140 + 25 * (i % 20), 300, 180, nullptr, nullptr,
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
