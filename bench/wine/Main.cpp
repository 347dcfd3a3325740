// Ombrel.exe measured under Wine beside the limit of its design; prints Markdown tables.
//   ombrel_wine_benchmarks [--runs N] [--startups N] [--guard-runs N] [--idle-seconds N]
//   [--only switch|idle|startup|guard|command|news|finder|tray] [--ombrel PATH]
// --ombrel measures another build of Ombrel.exe (a Windows path), to compare two versions.
#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

struct Options {
    int runs = 20;
    int startups = 10;
    int guardRuns = 10;
    int idleSeconds = 60;
    int onlyWindows = 0;  // one size of the switch benchmark instead of all three
    int wineServer = 0;   // its Linux process id, to count its CPU time too
    std::wstring only;
    std::wstring ombrel;  // another Ombrel.exe than the one built beside the benchmark
};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const wchar_t* value = argv[i + 1];
        if (name == L"--runs") {
            options.runs = _wtoi(value);
        } else if (name == L"--guard-runs") {
            options.guardRuns = _wtoi(value);
        } else if (name == L"--startups") {
            options.startups = _wtoi(value);
        } else if (name == L"--idle-seconds") {
            options.idleSeconds = _wtoi(value);
        } else if (name == L"--wineserver-pid") {
            options.wineServer = _wtoi(value);
        } else if (name == L"--windows") {
            options.onlyWindows = _wtoi(value);
        } else if (name == L"--only") {
            options.only = value;
        } else if (name == L"--ombrel") {
            options.ombrel = value;
        }
    }
    return options;
}

double Ratio(double value, double limit) {
    return limit > 0 ? value / limit : 0;
}

void PrintSwitch(const Options& options, const Contenders& programs) {
    std::printf(
        "### Switching desktops\n\n"
        "A round trip: from `SendInput` of Ctrl+F2 until every window of desktop 1 is hidden "
        "and every window of desktop 2 shown, then the same back with Ctrl+F1; %d round trips "
        "each. The windows belong to helper processes (50 windows each); the driver switches "
        "two sets of its own as large, of the same program and on the screen beside Ombrel's, "
        "which a rule tells Ombrel to leave alone. *Limit*: the driver does the cheapest sequence "
        "that keeps the stacking order and the focus itself with "
        "`ShowWindowAsync` (leaving windows hidden bottom-most first, entering ones shown "
        "bottom-most first with `SW_SHOWNA`, the top one with `SW_SHOW`); *limit on the key*: "
        "the same, once the driver's own hotkey Ctrl+Shift+F2 has arrived (the same way in as "
        "Ombrel's key); *previous sequence*: the driver hiding the top first and showing the "
        "bottom first with `SW_SHOW`, as Ombrel did before. *Kept*: round trips after which "
        "desktop 1 stood in its stacking order with the focus on the same window.\n\n",
        options.runs);
    std::printf(
        "| windows per desktop | Ombrel median | worst | kept | limit median | worst | kept "
        "| ratio | limit on the key | ratio to it | previous sequence | kept |\n"
        "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    int lost = 0;
    for (int count : {10, 50, 200}) {
        if (options.onlyWindows != 0 && count != options.onlyWindows) {
            continue;
        }
        SwitchFigures figures;
        try {
            figures = MeasureSwitch(programs, count, options.runs);
        } catch (const std::exception& error) {
            // One size that could not be measured leaves the others' figures standing.
            std::printf("| %d | not measured: %s |\n", count, error.what());
            std::fflush(stdout);
            continue;
        }
        const auto kept = [&](const RoundTrips& trips) {
            return std::to_string(trips.kept) + " of " + std::to_string(trips.milliseconds.size());
        };
        const double ombrel = Median(figures.ombrel.milliseconds);
        const double cheapest = Median(figures.cheapest.milliseconds);
        const double onKey = Median(figures.cheapestOnKey.milliseconds);
        std::printf(
            "| %d | %.1f ms | %.1f ms | %s | %.1f ms | %.1f ms | %s | %.2fx | %.1f ms | %.2fx "
            "| %.1f ms | %s |\n",
            count, ombrel, Worst(figures.ombrel.milliseconds), kept(figures.ombrel).c_str(),
            cheapest, Worst(figures.cheapest.milliseconds), kept(figures.cheapest).c_str(),
            Ratio(ombrel, cheapest), onKey, Ratio(ombrel, onKey),
            Median(figures.previous.milliseconds), kept(figures.previous).c_str());
        std::fflush(stdout);
        lost += figures.lostPresses;
    }
    std::printf("\nKey presses lost by Wine and repeated: %d.\n\n", lost);
}

void PrintIdle(const Options& options, const Contenders& programs) {
    const IdleFigures figures = MeasureIdle(programs, 200, options.idleSeconds, options.wineServer);
    const double wallMs = figures.seconds * 1000;
    std::printf(
        "### Idle cost\n\n"
        "CPU time over %.0f s with %d windows of other programs open and nothing touched "
        "(under Wine: the process's time as Linux counts it, to 10 ms, since "
        "`GetProcessTimes` reports none for another process). *Minimal program*: one "
        "always-on-top window that walks the top-level windows with a visibility test once "
        "a second, nothing else. *Wine server*: what the server process spent meanwhile, "
        "mostly answering the program's calls.\n\n",
        figures.seconds, figures.windows);
    std::printf(
        "| program | CPU time | share of one core | ratio | Wine server meanwhile |\n"
        "|---|---:|---:|---:|---:|\n");
    const auto server = [](double milliseconds) {
        return milliseconds < 0 ? std::string("not measured")
                                : std::to_string(static_cast<int>(milliseconds + 0.5)) + " ms";
    };
    std::printf("| Ombrel | %.1f ms | %.3f %% | %.2fx | %s |\n", figures.ombrelCpuMs,
                100 * figures.ombrelCpuMs / wallMs,
                Ratio(figures.ombrelCpuMs, figures.minimalCpuMs),
                server(figures.ombrelServerMs).c_str());
    std::printf("| minimal program | %.1f ms | %.3f %% | 1.00x | %s |\n\n", figures.minimalCpuMs,
                100 * figures.minimalCpuMs / wallMs, server(figures.minimalServerMs).c_str());
}

void PrintStartup(const Options& options, const Contenders& programs) {
    const StartupFigures figures = MeasureStartup(programs, options.startups);
    const double ombrel = Median(figures.ombrelMs);
    const double minimal = Median(figures.minimalMs);
    const double ombrelPeak = Median(figures.ombrelPeakBytes) / (1024 * 1024);
    const double minimalPeak = Median(figures.minimalPeakBytes) / (1024 * 1024);
    std::printf(
        "### Start-up and memory\n\n"
        "From `CreateProcess` until the window is visible, %d starts each, taking turns; "
        "peak working set one second after the window appeared.\n\n",
        options.startups);
    std::printf(
        "| program | start-up median | worst | peak working set (median) |\n"
        "|---|---:|---:|---:|\n");
    std::printf("| Ombrel | %.0f ms | %.0f ms | %.1f MiB |\n", ombrel, Worst(figures.ombrelMs),
                ombrelPeak);
    std::printf(
        "| Ombrel with a settings file of 50 keys, 9 names and 20 rules | %.0f ms | %.0f ms | "
        "%.1f MiB |\n",
        Median(figures.ombrelWithFileMs), Worst(figures.ombrelWithFileMs),
        Median(figures.ombrelWithFilePeakBytes) / (1024 * 1024));
    std::printf("| minimal program | %.0f ms | %.0f ms | %.1f MiB |\n", minimal,
                Worst(figures.minimalMs), minimalPeak);
    std::printf("| ratio | %.2fx | | %.2fx |\n", Ratio(ombrel, minimal),
                Ratio(ombrelPeak, minimalPeak));
    std::printf("| ratio with the settings file | %.2fx | | %.2fx |\n\n",
                Ratio(Median(figures.ombrelWithFileMs), minimal),
                Ratio(Median(figures.ombrelWithFilePeakBytes) / (1024 * 1024), minimalPeak));
}

void PrintGuard(const Options& options, const Contenders& programs) {
    const GuardFigures figures = MeasureGuard(programs, options.guardRuns, options.idleSeconds);
    std::printf(
        "### Killed, and started again\n\n"
        "50 windows of other programs on desktops 1 to 3 (17, 17, 16), desktop 1 current; "
        "Ombrel's process is ended from outside (`TerminateProcess`, as Task Manager's End "
        "task). *Shown*: until the guard has shown every window. *Back*: from the next start "
        "until the windows of desktops 2 and 3 are hidden again. %d runs.\n\n",
        options.guardRuns);
    std::printf(
        "| | median | worst |\n"
        "|---|---:|---:|\n"
        "| every window shown after the kill | %.0f ms | %.0f ms |\n"
        "| the arrangement back after the next start | %.0f ms | %.0f ms |\n\n",
        Median(figures.shownAfterKillMs), Worst(figures.shownAfterKillMs),
        Median(figures.arrangementBackMs), Worst(figures.arrangementBackMs));
    std::printf(
        "The guard while it waits, beside the minimal program over the same %d s (CPU time as "
        "Linux counts it, to 10 ms):\n\n"
        "| program | peak working set | CPU time |\n"
        "|---|---:|---:|\n"
        "| guard | %.1f MiB | %.0f ms |\n"
        "| minimal program | %.1f MiB | %.0f ms |\n\n",
        options.idleSeconds, figures.guardPeakBytes / (1024 * 1024), figures.guardIdleCpuMs,
        figures.minimalPeakBytes / (1024 * 1024), figures.minimalIdleCpuMs);
}

void PrintCommandLine(const Options& options, const Contenders& programs) {
    const CommandLineFigures figures = MeasureCommandLine(programs, options.startups);
    std::printf(
        "### The command line\n\n"
        "25 windows of other programs on each of desktops 1 and 2. *Command*: from "
        "`CreateProcess` of `Ombrel.exe switch N` until the process has ended (the switch "
        "done, its answer read), %d each way; *help*: `Ombrel.exe help`, the same start and "
        "end without the pipe. *Watch*: from `SendInput` of a switch key until `Ombrel.exe "
        "watch` has printed the switch's line, beside the bar's caption naming the desktop.\n\n",
        options.startups);
    std::printf(
        "| | median | worst |\n"
        "|---|---:|---:|\n"
        "| `Ombrel.exe switch N` | %.0f ms | %.0f ms |\n"
        "| `Ombrel.exe help` (no pipe) | %.0f ms | %.0f ms |\n"
        "| key until the caption changed | %.0f ms | %.0f ms |\n"
        "| key until `watch` printed the line | %.0f ms | %.0f ms |\n\n",
        Median(figures.commandMs), Worst(figures.commandMs), Median(figures.helpMs),
        Worst(figures.helpMs), Median(figures.captionMs), Worst(figures.captionMs),
        Median(figures.watchMs), Worst(figures.watchMs));
}

void PrintFinder(const Contenders& programs) {
    constexpr int kRuns = 10;
    constexpr int kWindowsPerDesktop = 100;
    const FinderFigures figures = MeasureFinder(programs, kWindowsPerDesktop, kRuns);
    std::printf(
        "### The finder\n\n"
        "%d windows of other programs on each of desktops 1 and 2. *Open*: from `SendInput` of "
        "the key bound to `find` until its window is visible and lists every window; *filter*: "
        "from a character posted to its box until the list holds only the %d windows that "
        "match. %d runs.\n\n",
        kWindowsPerDesktop, kWindowsPerDesktop, kRuns);
    std::printf(
        "| | median | worst |\n"
        "|---|---:|---:|\n"
        "| the finder open, %d windows listed | %.0f ms | %.0f ms |\n"
        "| a character typed, the list filtered | %.0f ms | %.0f ms |\n\n",
        2 * kWindowsPerDesktop, Median(figures.openMs), Worst(figures.openMs),
        Median(figures.filterMs), Worst(figures.filterMs));
}

void PrintWindowNews(const Contenders& programs) {
    constexpr int kRuns = 10;
    const WindowNewsFigures figures = MeasureWindowNews(programs, kRuns);
    std::printf(
        "### A window appears\n\n"
        "A new window of a new helper process, from the moment the driver finds it "
        "(`FindWindowW`, every millisecond): *placed*: until a rule (`\"title\": \"Ruled *\", "
        "\"desktop\": 2`) has hidden it; *told*: until `Ombrel.exe watch` has printed its "
        "`open` line. Wine tells Ombrel's hook of creations only, so the looks after a creation "
        "find the window; the once-a-second refresh took up to a second before. %d runs.\n\n",
        kRuns);
    std::printf(
        "| | median | worst |\n"
        "|---|---:|---:|\n"
        "| a rule placed the new window | %.0f ms | %.0f ms |\n"
        "| `watch` told of the new window | %.0f ms | %.0f ms |\n\n",
        Median(figures.ruleMs), Worst(figures.ruleMs), Median(figures.watchOpenMs),
        Worst(figures.watchOpenMs));
}

void PrintTrayIcon(const Contenders& programs) {
    constexpr int kSwitches = 1000;
    const TrayIconFigures figures = MeasureTrayIcon(programs, kSwitches);
    std::printf(
        "### The tray icon's handles\n\n"
        "Ombrel with `\"trayIcon\": true`, its GDI and USER objects (`GetGuiResources`) once "
        "settled, and again after %d switches by key between desktops 1 and 2, each drawing a "
        "new icon (%.0f ms a switch, the caption awaited). Wine answers 0 for both counters; "
        "tests/win32 counts the icon's handles there instead.\n\n",
        figures.switches, figures.switchMs);
    std::printf(
        "| | before | after |\n"
        "|---|---:|---:|\n"
        "| GDI objects | %lu | %lu |\n"
        "| USER objects | %lu | %lu |\n\n",
        figures.before.gdi, figures.after.gdi, figures.before.user, figures.after.user);
}

}  // namespace
}  // namespace ombrel::bench

int wmain(int argc, wchar_t** argv) {
    using namespace ombrel::bench;
    const Options options = ParseOptions(argc, argv);
    const Contenders programs{
        options.ombrel.empty() ? ombrel::driver::WinePath(OMBREL_EXE_PATH) : options.ombrel,
        ombrel::driver::WinePath(OMBREL_MINIMAL_PATH),
        ombrel::driver::WinePath(OMBREL_TEST_APP_PATH)};
    // The start-up notice would stand in front of everything; a first start is not measured.
    ombrel::driver::SetNeverShowInfo(L"Yes");
    try {
        if (options.only.empty() || options.only == L"startup") {
            PrintStartup(options, programs);
        }
        // Idle before switching: after hundreds of windows have come and gone, Wine's desktop
        // process goes on working for a while, which would land on the idle figures.
        if (options.only.empty() || options.only == L"idle") {
            PrintIdle(options, programs);
        }
        if (options.only.empty() || options.only == L"guard") {
            PrintGuard(options, programs);
        }
        if (options.only.empty() || options.only == L"command") {
            PrintCommandLine(options, programs);
        }
        if (options.only.empty() || options.only == L"finder") {
            PrintFinder(programs);
        }
        if (options.only.empty() || options.only == L"news") {
            PrintWindowNews(programs);
        }
        if (options.only.empty() || options.only == L"tray") {
            PrintTrayIcon(programs);
        }
        // Last: after its hundreds of windows, Wine's desktop process goes on working for minutes,
        // which would land on every figure measured after it.
        if (options.only.empty() || options.only == L"switch") {
            PrintSwitch(options, programs);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
