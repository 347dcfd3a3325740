// A short scripted use of Ombrel.exe, as a person would: a few document windows, switches by
// hotkey, a window sent away, the settings dialog, exit. Saves screenshots as BMP files.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DesktopDriver.h"
#include "ScreenCapture.h"

using namespace ombrel::driver;

namespace {

std::wstring g_outputDirectory;

void Say(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

// Lets every window finish painting, then saves the area.
void Shot(const wchar_t* name, const RECT& area) {
    ::RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(300);
    SaveScreenBmp(g_outputDirectory + L"\\" + name + L".bmp", area);
}

RECT Screen() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

// Rests the mouse at the point, as a person reading a tooltip does.
void MoveMouseTo(POINT screen) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    for (int step = 0; step < 2; ++step) {  // two moves: a tooltip shows after the mouse stops
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>(((screen.x + step) * 65536 + width / 2) / width);
        input.mi.dy = static_cast<LONG>((screen.y * 65536 + height / 2) / height);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof(INPUT));
        ::Sleep(100);
    }
}

int Fail(const char* what) {
    std::printf("demo stopped: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: OmbrelDemo <Ombrel.exe> <output directory>\n");
        return 2;
    }
    g_outputDirectory = argv[2];
    ::CreateDirectoryW(g_outputDirectory.c_str(), nullptr);

    DocumentWindows documents;
    const HWND mail = documents.Open(L"Mail", 80, 160);
    const HWND editor = documents.Open(L"Editor", 240, 260);
    const HWND notes = documents.Open(L"Notes", 400, 360);
    Say("opened three windows: Mail, Editor, Notes");

    PROCESS_INFORMATION ombrel = StartProcess(L"\"" + std::wstring(argv[1]) + L"\"");
    if (ombrel.hProcess == nullptr) {
        return Fail("Ombrel.exe did not start");
    }
    if (!WaitFor([] { return FindBar() != nullptr && ::IsWindowVisible(FindBar()); })) {
        return Fail("the bar did not appear");
    }
    const HWND bar = FindBar();
    Say("Ombrel started: the bar stands in the top right corner");
    const HWND help = ::FindWindowW(L"OmbrelForm", L"帮助");
    if (help != nullptr && WaitFor([help] { return ::IsWindowVisible(help) != FALSE; })) {
        Say("the start-up notice lists the hotkeys");
        Shot(L"help", WindowRect(help));
        Shot(L"start", Screen());
        ::SendMessageW(FindChildButton(help, L"OK"), BM_CLICK, 0, 0);
    }
    Shot(L"bar-desktop1", WindowRect(bar));

    Say("press Ctrl+F2: desktop 2");
    PressKeys({VK_CONTROL, VK_F2});
    WaitFor([&] { return !::IsWindowVisible(mail) && !::IsWindowVisible(notes); });
    const HWND browser = documents.Open(L"Browser", 600, 200);
    Say("opened Browser on desktop 2");
    ::Sleep(1200);  // one refresh of the current desktop's windows
    Shot(L"desktop2", Screen());

    Say("press Ctrl+F1: back to desktop 1");
    PressKeys({VK_CONTROL, VK_F1});
    WaitFor([&] { return ::IsWindowVisible(mail) && !::IsWindowVisible(browser); });
    ::SetForegroundWindow(editor);
    WaitFor([&] { return ::GetForegroundWindow() == editor; });
    Say("press Ctrl+Alt+F3 with Editor active: Editor goes to desktop 3");
    PressKeys({VK_CONTROL, VK_MENU, VK_F3});
    WaitFor([&] { return !::IsWindowVisible(editor); });
    Shot(L"sent", Screen());

    Say("press Ctrl+F5: desktop 5");
    PressKeys({VK_CONTROL, VK_F5});
    WaitFor([&] { return !::IsWindowVisible(mail); });
    Shot(L"bar-desktop5", WindowRect(bar));

    Say("rest the mouse on button 1: its tooltip lists desktop 1's windows");
    MoveMouseTo(CenterOf(FindChildButton(bar, L"1")));
    HWND tip = nullptr;
    WaitFor([&] {
        tip = ::FindWindowW(L"tooltips_class32", nullptr);
        return tip != nullptr && ::IsWindowVisible(tip);
    });
    if (tip != nullptr) {
        RECT area = WindowRect(bar);
        const RECT tipArea = WindowRect(tip);
        ::UnionRect(&area, &area, &tipArea);
        Shot(L"tooltip", area);
    }
    MoveMouseTo({0, ::GetSystemMetrics(SM_CYSCREEN) - 1});

    Say("Ombrel.exe list:");
    std::string list;
    RunToEnd(L"\"" + std::wstring(argv[1]) + L"\" list", &list);
    std::fputs(list.c_str(), stdout);

    Say("double-click the bar's free surface: the settings dialog");
    RECT client{};
    ::GetClientRect(bar, &client);
    POINT free{client.right / 2, client.bottom - 3};
    ::ClientToScreen(bar, &free);
    ClickAt(free, true);
    HWND settings = nullptr;
    WaitFor([&] {
        settings = ::FindWindowW(L"OmbrelForm", L"设置");
        return settings != nullptr && ::IsWindowVisible(settings);
    });
    if (settings != nullptr) {
        Shot(L"settings", WindowRect(settings));
        ::SendMessageW(FindChildButton(settings, L"取  消"), BM_CLICK, 0, 0);
    }

    Say("click 退出 (exit): every window comes back");
    ::PostMessageW(FindChildButton(bar, L"退出"), BM_CLICK, 0, 0);
    if (::WaitForSingleObject(ombrel.hProcess, 10000) != WAIT_OBJECT_0) {
        return Fail("Ombrel did not end");
    }
    WaitFor([&] {
        return ::IsWindowVisible(mail) && ::IsWindowVisible(editor) && ::IsWindowVisible(notes) &&
               ::IsWindowVisible(browser);
    });
    Shot(L"after-exit", Screen());
    const bool allBack = ::IsWindowVisible(mail) && ::IsWindowVisible(editor) &&
                         ::IsWindowVisible(notes) && ::IsWindowVisible(browser);
    Say(allBack ? "all four windows are visible again" : "a window stayed hidden");
    ::CloseHandle(ombrel.hThread);
    ::CloseHandle(ombrel.hProcess);
    return allBack ? 0 : 1;
}
