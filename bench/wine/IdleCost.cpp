// CPU time while nobody touches anything, with many windows on the screen.
#include "KernelCpuTime.h"
#include "Measures.h"

#include <optional>

namespace ombrel::bench {
namespace {

constexpr DWORD kSettle = 3000;

std::wstring FileNameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

// The program's own CPU time: under Wine as Linux counts it (Wine's GetProcessTimes reports
// next to nothing for another process), on Windows as Windows does.
double CpuMilliseconds(const StartedProgram& program, std::optional<int> linuxProcess) {
    if (linuxProcess) {
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

double ServerMilliseconds(int wineServer) {
    return wineServer != 0 ? LinuxCpuMilliseconds(wineServer).value_or(-1) : -1;
}

// After windows have opened, Wine's desktop goes on drawing for a while; what it does then is
// not the idle cost of the program measured next.
void WaitForQuietServer(int wineServer) {
    constexpr double kQuietShare = 0.02;
    constexpr int kMostSeconds = 30;
    for (int second = 0; second < kMostSeconds; ++second) {
        const double before = ServerMilliseconds(wineServer);
        ::Sleep(1000);
        if (before < 0 || ServerMilliseconds(wineServer) - before < kQuietShare * 1000) {
            return;
        }
    }
}

IdleCost CostWhileIdle(const StartedProgram& program, const std::wstring& path, int seconds,
                       int wineServer) {
    WaitForQuietServer(wineServer);
    // Looked up once: both readings must be of the same process.
    const std::optional<int> linuxProcess = LinuxProcessOf(FileNameOf(path));
    const double before = CpuMilliseconds(program, linuxProcess);
    const double serverBefore = ServerMilliseconds(wineServer);
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const double serverAfter = ServerMilliseconds(wineServer);
    return {CpuMilliseconds(program, linuxProcess) - before,
            serverBefore >= 0 && serverAfter >= 0 ? serverAfter - serverBefore : -1};
}

IdleCost IdleRun(const MeasuredProgram& measured, const Contenders& programs, int seconds,
                 int wineServer) {
    StartedProgram program = Start(measured, programs);
    const HWND window = WaitForWindow(measured);
    ::Sleep(kSettle);
    const IdleCost cost = CostWhileIdle(program, programs.*measured.path, seconds, wineServer);
    program.Close(window);
    return cost;
}

}  // namespace

IdleFigures MeasureIdle(const Contenders& programs, int windows, int seconds, int wineServer) {
    IdleFigures figures;
    figures.windows = windows;
    figures.seconds = seconds;
    HelperWindows helpers(programs.helper);
    helpers.Open(L"Idle ", windows);
    const IdleCost ombrel = IdleRun(kOmbrel, programs, seconds, wineServer);
    figures.ombrelCpuMs = ombrel.own;
    figures.ombrelServerMs = ombrel.server;
    const IdleCost minimal = IdleRun(kMinimal, programs, seconds, wineServer);
    figures.minimalCpuMs = minimal.own;
    figures.minimalServerMs = minimal.server;
    return figures;
}

}  // namespace ombrel::bench
