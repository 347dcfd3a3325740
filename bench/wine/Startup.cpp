// From process start to the window on the screen, and the memory it took to get there.
#include <stdexcept>

#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr DWORD kSettle = 1000;

struct OneStart {
    double milliseconds;
    double peakBytes;
};

OneStart StartOnce(StartedProgram (*start)(const Contenders&), HWND (*find)(),
                   const Contenders& programs) {
    const auto begin = Clock::now();
    StartedProgram program = start(programs);
    HWND window = nullptr;
    if (!PollUntil([&] { return (window = find()) != nullptr; }, Milliseconds(20'000))) {
        throw std::runtime_error("the program's window did not appear");
    }
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
        const OneStart ombrel = StartOnce(&StartOmbrel, &VisibleBar, programs);
        figures.ombrelMs.push_back(ombrel.milliseconds);
        figures.ombrelPeakBytes.push_back(ombrel.peakBytes);
        const OneStart minimal = StartOnce(&StartMinimal, &VisibleMinimalWindow, programs);
        figures.minimalMs.push_back(minimal.milliseconds);
        figures.minimalPeakBytes.push_back(minimal.peakBytes);
    }
    return figures;
}

}  // namespace ombrel::bench
