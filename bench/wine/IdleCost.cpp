// CPU time while nobody touches anything, with many windows on the screen.
#include <stdexcept>

#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr DWORD kSettle = 3000;

double CpuWhileIdle(const StartedProgram& program, int seconds) {
    const Milliseconds before = program.CpuTime();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    return (program.CpuTime() - before).count();
}

HWND WaitForWindow(HWND (*find)()) {
    HWND window = nullptr;
    if (!PollUntil([&] { return (window = find()) != nullptr; }, Milliseconds(20'000))) {
        throw std::runtime_error("the program's window did not appear");
    }
    return window;
}

}  // namespace

IdleFigures MeasureIdle(const Contenders& programs, int windows, int seconds) {
    IdleFigures figures{windows, static_cast<double>(seconds), 0, 0};
    HelperWindows helpers(programs.helper);
    helpers.Open(L"Idle ", windows);
    {
        StartedProgram ombrel = StartOmbrel(programs);
        const HWND bar = WaitForWindow(&VisibleBar);
        ::Sleep(kSettle);
        figures.ombrelCpuMs = CpuWhileIdle(ombrel, seconds);
        ombrel.Close(bar);
    }
    StartedProgram minimal = StartMinimal(programs);
    const HWND window = WaitForWindow(&VisibleMinimalWindow);
    ::Sleep(kSettle);
    figures.minimalCpuMs = CpuWhileIdle(minimal, seconds);
    minimal.Close(window);
    return figures;
}

}  // namespace ombrel::bench
