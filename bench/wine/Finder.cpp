// How soon the finder is there: from the key that opens it until its window is visible with
// every window listed, and from a character typed until the list holds only what matches.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kLimit{10'000};
constexpr DWORD kRefreshPassed = 1300;

LRESULT LineCount(HWND list) {
    return ::SendMessageW(list, LB_GETCOUNT, 0, 0);
}

}  // namespace

FinderFigures MeasureFinder(const Contenders& programs, int windowsPerDesktop, int runs) {
    FinderFigures figures;
    WriteSettingsFile("{ \"keys\": { \"ctrl+alt+shift+f\": \"find\" } }\n");
    HelperWindows helpers(programs.helper);
    StartedProgram ombrel = Start(kOmbrel, programs);
    const HWND bar = WaitForWindow(kOmbrel);
    helpers.Open(L"Finder one ", windowsPerDesktop);
    ::Sleep(kRefreshPassed);
    driver::PressKeys({VK_CONTROL, VK_F2});
    if (!PollUntil([&] { return driver::WindowTitle(bar) == L"这是桌面-2"; }, kLimit)) {
        throw std::runtime_error("the key did not switch");
    }
    helpers.Open(L"Finder two ", windowsPerDesktop);
    ::Sleep(kRefreshPassed);
    for (int run = 0; run < runs; ++run) {
        const auto pressed = Clock::now();
        driver::PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, 'F'});
        HWND finder = nullptr;
        HWND list = nullptr;
        if (!PollUntil(
                [&] {
                    finder = ::FindWindowW(L"Ombrel.Finder", nullptr);
                    list = ::FindWindowExW(finder, nullptr, L"ListBox", nullptr);
                    return finder != nullptr && ::IsWindowVisible(finder) &&
                           LineCount(list) >= 2 * windowsPerDesktop;
                },
                kLimit)) {
            throw std::runtime_error("the finder did not open");
        }
        figures.openMs.push_back(Milliseconds(Clock::now() - pressed).count());
        const HWND box = ::FindWindowExW(finder, nullptr, L"Edit", nullptr);
        const auto typed = Clock::now();
        ::PostMessageW(box, WM_CHAR, L'w', 0);  // "Finder two ..." alone
        if (!PollUntil([&] { return LineCount(list) == windowsPerDesktop; }, kLimit)) {
            throw std::runtime_error("the finder did not filter");
        }
        figures.filterMs.push_back(Milliseconds(Clock::now() - typed).count());
        ::PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
        if (!PollUntil([&] { return !::IsWindowVisible(finder); }, kLimit)) {
            throw std::runtime_error("the finder did not close");
        }
    }
    ombrel.Close(bar);
    RemoveSettingsFile();
    return figures;
}

}  // namespace ombrel::bench
