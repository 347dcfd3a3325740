// From process start to the window on the screen, and the memory it took to get there.
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr DWORD kSettle = 1000;

struct OneStart {
    double milliseconds;
    double peakBytes;
};

OneStart StartOnce(const MeasuredProgram& measured, const Contenders& programs) {
    const auto begin = Clock::now();
    StartedProgram program = Start(measured, programs);
    const HWND window = WaitForWindow(measured);
    const double elapsed = Milliseconds(Clock::now() - begin).count();
    ::Sleep(kSettle);
    const auto peak = static_cast<double>(program.PeakWorkingSet());
    program.Close(window);
    return {elapsed, peak};
}

}  // namespace

StartupFigures MeasureStartup(const Contenders& programs, int runs) {
    StartupFigures figures;
    // Taking turns, so that a slow moment of the machine falls on both.
    for (int run = 0; run < runs; ++run) {
        const OneStart ombrel = StartOnce(kOmbrel, programs);
        figures.ombrelMs.push_back(ombrel.milliseconds);
        figures.ombrelPeakBytes.push_back(ombrel.peakBytes);
        const OneStart minimal = StartOnce(kMinimal, programs);
        figures.minimalMs.push_back(minimal.milliseconds);
        figures.minimalPeakBytes.push_back(minimal.peakBytes);
    }
    return figures;
}

}  // namespace ombrel::bench
