// The command line: from starting "Ombrel.exe switch N" until it has ended, beside "Ombrel.exe
// help", the same start and end without the pipe; and how soon "Ombrel.exe watch" tells of a
// switch made by key.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kLimit{10'000};
constexpr DWORD kRefreshPassed = 1300;
constexpr int kWindowsPerDesktop = 25;

std::wstring Caption(int desktopNumber) {
    return L"这是桌面-" + std::to_wstring(desktopNumber);
}

double RunTimed(const std::wstring& commandLine, int expectedCode) {
    std::string output;
    const auto started = Clock::now();
    const int code = driver::RunToEnd(commandLine, &output);
    const double elapsed = Milliseconds(Clock::now() - started).count();
    if (code != expectedCode) {
        throw std::runtime_error("the command ended with " + std::to_string(code));
    }
    return elapsed;
}

}  // namespace

CommandLineFigures MeasureCommandLine(const Contenders& programs, int runs) {
    CommandLineFigures figures;
    HelperWindows helpers(programs.helper);
    StartedProgram ombrel = Start(kOmbrel, programs);
    const HWND bar = WaitForWindow(kOmbrel);
    const std::wstring exe = L"\"" + programs.ombrel + L"\" ";
    helpers.Open(L"Command 1 ", kWindowsPerDesktop);
    ::Sleep(kRefreshPassed);
    RunTimed(exe + L"switch 2", 0);
    helpers.Open(L"Command 2 ", kWindowsPerDesktop);
    ::Sleep(kRefreshPassed);
    for (int run = 0; run < runs; ++run) {
        for (const int desktop : {1, 2}) {
            figures.commandMs.push_back(RunTimed(exe + L"switch " + std::to_wstring(desktop), 0));
            if (!PollUntil([&] { return driver::WindowTitle(bar) == Caption(desktop); }, kLimit)) {
                throw std::runtime_error("the command did not switch");
            }
        }
        figures.helpMs.push_back(RunTimed(exe + L"help", 0));
    }
    driver::FollowedProcess watch(exe + L"watch");
    if (!PollUntil([&] { return watch.Printed("\"desktops\""); }, kLimit)) {
        throw std::runtime_error("watch printed no state");
    }
    for (int run = 0; run < runs; ++run) {
        for (const int desktop : {1, 2}) {
            const std::string line = "{\"current\":" + std::to_string(desktop) +
                                     ",\"desktop\":" + std::to_string(desktop) +
                                     ",\"event\":\"switch\"}";
            const auto pressed = Clock::now();
            driver::PressKeys({VK_CONTROL, static_cast<WORD>(VK_F1 + desktop - 1)});
            if (!PollUntil([&] { return driver::WindowTitle(bar) == Caption(desktop); }, kLimit)) {
                throw std::runtime_error("the key did not switch");
            }
            figures.captionMs.push_back(Milliseconds(Clock::now() - pressed).count());
            if (!PollUntil([&] { return watch.Printed(line); }, kLimit)) {
                throw std::runtime_error("watch did not tell of the switch");
            }
            figures.watchMs.push_back(Milliseconds(Clock::now() - pressed).count());
        }
    }
    ombrel.Close(bar);
    return figures;
}

}  // namespace ombrel::bench
