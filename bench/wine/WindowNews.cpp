// How soon Ombrel acts on a window that appears: from the moment the driver first sees it until a
// rule has hidden it, and until "Ombrel.exe watch" has told of it. Wine tells an out-of-context
// hook of creations only; the looks that follow one see the rest.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kLimit{10'000};
constexpr DWORD kRefreshPassed = 1300;

// A window of a new helper process, as soon as it is on the screen: Ombrel looks at it some
// milliseconds after it was made, never before the driver has seen it.
HWND StartWindow(const Contenders& programs, const std::wstring& title,
                 std::vector<StartedProgram>& started) {
    started.emplace_back(L"\"" + programs.helper + L"\" \"" + title + L"\" 1");
    HWND window = nullptr;
    if (!PollUntil(
            [&] {
                window = ::FindWindowW(nullptr, title.c_str());
                return window != nullptr && ::IsWindowVisible(window);
            },
            kLimit)) {
        throw std::runtime_error("a helper's window did not open");
    }
    return window;
}

}  // namespace

WindowNewsFigures MeasureWindowNews(const Contenders& programs, int runs) {
    WindowNewsFigures figures;
    WriteSettingsFile("{ \"rules\": [ { \"title\": \"Ruled *\", \"desktop\": 2 } ] }\n");
    StartedProgram ombrel = Start(kOmbrel, programs);
    const HWND bar = WaitForWindow(kOmbrel);
    ::Sleep(kRefreshPassed);
    driver::FollowedProcess watch(L"\"" + programs.ombrel + L"\" watch");
    if (!PollUntil([&] { return watch.Printed("\"desktops\""); }, kLimit)) {
        throw std::runtime_error("watch printed no state");
    }
    std::vector<StartedProgram> helpers;
    for (int run = 0; run < runs; ++run) {
        const HWND ruled = StartWindow(programs, L"Ruled " + std::to_wstring(run), helpers);
        const auto seen = Clock::now();
        if (!PollUntil([&] { return !::IsWindowVisible(ruled); }, kLimit)) {
            throw std::runtime_error("the rule did not place the window");
        }
        figures.ruleMs.push_back(Milliseconds(Clock::now() - seen).count());

        const HWND opened = StartWindow(programs, L"Opened " + std::to_wstring(run), helpers);
        const auto shown = Clock::now();
        const std::string line = "\"event\":\"open\",\"windows\":[" +
                                 std::to_string(reinterpret_cast<std::uintptr_t>(opened)) + "]";
        if (!PollUntil([&] { return watch.Printed(line); }, kLimit)) {
            throw std::runtime_error("watch did not tell of the new window");
        }
        figures.watchOpenMs.push_back(Milliseconds(Clock::now() - shown).count());
    }
    ombrel.Close(bar);
    RemoveSettingsFile();
    return figures;
}

}  // namespace ombrel::bench
