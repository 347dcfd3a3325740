// CPU time while nobody touches anything, with many windows on the screen.
#include <stdexcept>

#include "KernelCpuTime.h"

#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr DWORD kSettle = 3000;

std::wstring FileNameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

// The program's own CPU time: under Wine as Linux counts it (Wine's GetProcessTimes reports
// next to nothing for another process), on Windows as Windows does.
double CpuMilliseconds(const StartedProgram& program, const std::wstring& path) {
    if (const auto linuxProcess = LinuxProcessOf(FileNameOf(path))) {
        if (const auto milliseconds = LinuxCpuMilliseconds(*linuxProcess)) {
            return *milliseconds;
        }
    }
    return program.CpuTime().count();
}

struct IdleCost {
    double own;
    double server;
};

IdleCost CostWhileIdle(const StartedProgram& program, const std::wstring& path, int seconds,
                       int wineServer) {
    const double before = CpuMilliseconds(program, path);
    const double serverBefore =
        wineServer != 0 ? LinuxCpuMilliseconds(wineServer).value_or(-1) : -1;
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const double serverAfter = wineServer != 0 ? LinuxCpuMilliseconds(wineServer).value_or(-1) : -1;
    return {CpuMilliseconds(program, path) - before,
            serverBefore >= 0 && serverAfter >= 0 ? serverAfter - serverBefore : -1};
}

HWND WaitForWindow(HWND (*find)()) {
    HWND window = nullptr;
    if (!PollUntil([&] { return (window = find()) != nullptr; }, Milliseconds(20'000))) {
        throw std::runtime_error("the program's window did not appear");
    }
    return window;
}

}  // namespace

IdleFigures MeasureIdle(const Contenders& programs, int windows, int seconds, int wineServer) {
    IdleFigures figures;
    figures.windows = windows;
    figures.seconds = seconds;
    HelperWindows helpers(programs.helper);
    helpers.Open(L"Idle ", windows);
    {
        StartedProgram ombrel = StartOmbrel(programs);
        const HWND bar = WaitForWindow(&VisibleBar);
        ::Sleep(kSettle);
        const IdleCost cost = CostWhileIdle(ombrel, programs.ombrel, seconds, wineServer);
        figures.ombrelCpuMs = cost.own;
        figures.ombrelServerMs = cost.server;
        ombrel.Close(bar);
    }
    StartedProgram minimal = StartMinimal(programs);
    const HWND window = WaitForWindow(&VisibleMinimalWindow);
    ::Sleep(kSettle);
    const IdleCost cost = CostWhileIdle(minimal, programs.minimal, seconds, wineServer);
    figures.minimalCpuMs = cost.own;
    figures.minimalServerMs = cost.server;
    minimal.Close(window);
    return figures;
}

}  // namespace ombrel::bench
