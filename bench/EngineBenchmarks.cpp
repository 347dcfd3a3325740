// The engine's hot paths on the in-memory desktop: the once-a-second refresh of the current set,
// a switch between two desktops, and the news of other programs' windows with the prompt looks
// it brings. The per-window figure should not grow with the count.
// And the settings file's parse, which runs on the bar's thread: the largest file it accepts
// should take well under 50 ms, and a hostile one of the same size less.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <variant>

#include "FakePlatform.h"
#include "QuietDesktop.h"
#include "platform/Text.h"
#include "settings/SettingsFile.h"
#include "shell/Program.h"
#include "ui/WindowFinder.h"

namespace ombrel {
namespace {

constexpr fakes::ThreadId kAppThread = 7;

// The program started on a desktop with the shell's windows and count windows of another program.
class DesktopWithWindows {
  public:
    explicit DesktopWithWindows(std::int64_t count, const char* settings = nullptr) {
        testing::PrepareQuietDesktop(fake_);
        if (settings != nullptr) {
            fake_.files.Save(fakes::FakeUserFiles::kSettingsFile, settings);
        }
        for (std::int64_t i = 0; i < count; ++i) {
            fake_.desktop.OpenWindow({.className = u"Notepad", .thread = kAppThread});
        }
        program_ = std::make_unique<Program>(fake_.platform, fake_.texts);
        program_->Start();
    }

    DesktopEngine& Engine() { return program_->Engine(); }
    fakes::FakeDesktop& Windows() { return fake_.desktop; }

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
        desktop.Engine().Run(ombrel::Refresh{});
        benchmark::DoNotOptimize(desktop.Engine().AllDesktops()[0].Windows().data());
    }
    ReportPerWindow(state, state.range(0));
}

// Desktop 1 to 2 and back: every window is hidden once and shown once per iteration.
void SwitchDesktop(benchmark::State& state) {
    DesktopWithWindows desktop(state.range(0));
    desktop.Engine().Run(ombrel::Refresh{});
    for (auto _ : state) {
        desktop.Engine().Run(Command::SwitchTo(1));
        desktop.Engine().Run(Command::SwitchTo(0));
    }
    ReportPerWindow(state, 2 * state.range(0));
}

// A busy second: 10,000 window events (titles changing) over the desktop's windows, heard 100 at a
// time between two prompt looks, as the looks' timer gathers them. Per event, the look included.
void HearWindowEvents(benchmark::State& state) {
    constexpr int kEventsPerLook = 100;
    DesktopWithWindows desktop(state.range(0));
    std::vector<WindowHandle> windows = desktop.Windows().VisibleWindows();
    std::size_t next = 0;
    for (auto _ : state) {
        for (int event = 0; event < kEventsPerLook; ++event) {
            desktop.Windows().SetTitle(windows[next], u"changed");
            next = (next + 1) % windows.size();
        }
        desktop.Windows().FireTimers();
    }
    ReportPerWindow(state, kEventsPerLook);
}

// A new window that a rule sends away, from its creation to hidden at the prompt look.
void PlaceANewWindowByItsRule(benchmark::State& state) {
    DesktopWithWindows desktop(state.range(0),
                               R"({ "rules": [ { "title": "Mail*", "desktop": 2 } ] })");
    for (auto _ : state) {
        const WindowHandle mail =
            desktop.Windows().OpenWindow({.title = u"Mail", .thread = kAppThread});
        desktop.Windows().FireTimers();
        state.PauseTiming();
        if (desktop.Windows().IsWindowVisible(mail)) {
            state.SkipWithError("the rule did not place the window");
            break;
        }
        desktop.Windows().CloseWindow(mail);
        desktop.Windows().FireTimers();
        state.ResumeTiming();
    }
    ReportPerWindow(state, state.range(0));
}

// Every limit at its largest: 256 keys (the last one F24), 9 names of 32 characters, 256 rules with
// three patterns of 128 characters each, and a "$schema" text that fills the file to its largest
// size.
std::string LargestAcceptedFile() {
    constexpr const char* kModifiers[] = {"ctrl+",     "alt+",        "shift+",     "win+",
                                          "ctrl+alt+", "ctrl+shift+", "alt+shift+", "ctrl+win+"};
    std::string text = "{\n  \"keys\": {\n";
    for (std::size_t key = 0; key + 1 < SettingsFileContents::kMaxMembers; ++key) {
        text += std::string("    \"") + kModifiers[key / 32] +
                (key % 32 < 24 ? "f" + std::to_string(key % 32 + 1)
                               : std::string(1, static_cast<char>('a' + key % 32 - 24))) +
                "\": \"switch " + std::to_string(key % 9 + 1) + "\",\n";
    }
    text += "    \"f24\": null\n  },\n  \"names\": {";
    for (int desktop = 1; desktop <= 9; ++desktop) {
        text += "\"" + std::to_string(desktop) + "\": \"" + std::string(32, 'n') + "\"" +
                (desktop < 9 ? ", " : "},\n  \"rules\": [\n");
    }
    const std::string pattern(SettingsFileContents::kPatternMaxLength - 1, '?');
    for (std::size_t rule = 0; rule < SettingsFileContents::kMaxElements; ++rule) {
        text += "    { \"exe\": \"*" + pattern + "\", \"class\": \"*" + pattern +
                "\", \"title\": \"*" + pattern + "\", \"desktop\": 2 }" +
                (rule + 1 < SettingsFileContents::kMaxElements ? ",\n" : "\n  ],\n");
    }
    const std::string end = "\"\n}\n";
    text += "  \"$schema\": \"";
    text += std::string(SettingsFileContents::kMaxBytes - text.size() - end.size(), 's');
    return text + end;
}

// A keystroke in the finder: every window's title and program searched for each word typed,
// and the lines of those that hold them made anew. Each of range(0) windows has a title of
// some forty characters, Chinese and Latin.
void FilterTheFinder(benchmark::State& state) {
    DesktopState desktops;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        desktops.windows[static_cast<std::size_t>(i % kDesktopCount)].push_back(
            {static_cast<WindowHandle>(i + 1),
             u"program" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u".exe",
             u"季度报告 Report " + DecimalText(i) + u" - Document Editor (read-only)", false,
             static_cast<std::uint64_t>(i)});
    }
    fakes::FakeFinderView view;
    const Texts texts;
    WindowFinder finder(view, texts, [](const Command&) {});
    finder.Open(desktops, WindowHandle::None);
    const std::u16string typed[] = {u"r", u"re", u"rep", u"repo 1", u"REPORT 12", u"报告 editor"};
    std::size_t key = 0;
    for (auto _ : state) {
        finder.OnFinderTyped(typed[key++ % std::size(typed)]);
        benchmark::DoNotOptimize(view.Lines().data());
    }
    ReportPerWindow(state, state.range(0));
}

// What the parser once took 12.9 s over: just under the largest size, 118,000 members.
std::string ManyMembersFile() {
    std::string text = "{ \"keys\": {";
    for (int key = 0; key < 118'000; ++key) {
        text += "\"k" + std::to_string(key) + "\":0,";
    }
    text.resize(SettingsFileContents::kMaxBytes - 4);
    return text + "0}}";
}

void ParseSettings(benchmark::State& state, const std::string& text, bool accepted) {
    for (auto _ : state) {
        auto parsed = ParseSettingsFile(text);
        if (std::holds_alternative<SettingsFileContents>(parsed) != accepted) {
            state.SkipWithError("the file was not read as expected");
            break;
        }
        benchmark::DoNotOptimize(parsed);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void ParseLargestAcceptedSettingsFile(benchmark::State& state) {
    ParseSettings(state, LargestAcceptedFile(), true);
}

void ParseHostileSettingsFile(benchmark::State& state) {
    ParseSettings(state, ManyMembersFile(), false);
}

BENCHMARK(CollectDesktopWindows)->RangeMultiplier(10)->Range(10, 10'000);
BENCHMARK(SwitchDesktop)->RangeMultiplier(10)->Range(10, 10'000);
BENCHMARK(HearWindowEvents)->Arg(200)->Arg(10'000);
BENCHMARK(PlaceANewWindowByItsRule)->Arg(200)->Arg(10'000);
BENCHMARK(FilterTheFinder)->Arg(1'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParseLargestAcceptedSettingsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseHostileSettingsFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ombrel

BENCHMARK_MAIN();
