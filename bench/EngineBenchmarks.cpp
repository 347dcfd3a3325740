// The engine's two hot paths on the in-memory desktop: the once-a-second refresh of the current
// set and a switch between two desktops. The per-window figure should not grow with the count.
#include <benchmark/benchmark.h>

#include <memory>

#include "FakePlatform.h"
#include "QuietDesktop.h"
#include "shell/Program.h"

namespace ombrel {
namespace {

constexpr fakes::ThreadId kAppThread = 7;

// The program started on a desktop with the shell's windows and count windows of another program.
class DesktopWithWindows {
  public:
    explicit DesktopWithWindows(std::int64_t count) {
        testing::PrepareQuietDesktop(fake_);
        for (std::int64_t i = 0; i < count; ++i) {
            fake_.desktop.OpenWindow({.className = u"Notepad", .thread = kAppThread});
        }
        program_ = std::make_unique<Program>(fake_.platform);
        program_->Start();
    }

    DesktopEngine& Engine() { return program_->Engine(); }

  private:
    fakes::FakePlatform fake_;
    std::unique_ptr<Program> program_;
};

void ReportPerWindow(benchmark::State& state, std::int64_t windowsPerIteration) {
    state.SetItemsProcessed(state.iterations() * windowsPerIteration);
    state.counters["per_window"] = benchmark::Counter(
        static_cast<double>(windowsPerIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void CollectDesktopWindows(benchmark::State& state) {
    DesktopWithWindows desktop(state.range(0));
    for (auto _ : state) {
        desktop.Engine().CollectDesktopWindows(0);
        benchmark::DoNotOptimize(desktop.Engine().Sets()[0].data());
    }
    ReportPerWindow(state, state.range(0));
}

// Desktop 1 to 2 and back: every window is hidden once and shown once per iteration.
void SwitchDesktop(benchmark::State& state) {
    DesktopWithWindows desktop(state.range(0));
    desktop.Engine().CollectDesktopWindows(0);
    for (auto _ : state) {
        desktop.Engine().SwitchDesktop(kFirstSwitchCode + 1);
        desktop.Engine().SwitchDesktop(kFirstSwitchCode);
    }
    ReportPerWindow(state, 2 * state.range(0));
}

BENCHMARK(CollectDesktopWindows)->RangeMultiplier(10)->Range(10, 10'000);
BENCHMARK(SwitchDesktop)->RangeMultiplier(10)->Range(10, 10'000);

}  // namespace
}  // namespace ombrel

BENCHMARK_MAIN();
