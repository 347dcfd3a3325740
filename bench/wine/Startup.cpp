// From process start to the window on the screen, and the memory it took to get there.
#include "Measures.h"

#include <string>

namespace ombrel::bench {
namespace {

constexpr DWORD kSettle = 1000;
constexpr Milliseconds kGuardLeaving{5000};

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
    // Ombrel starts its guard at its first refresh, about when it is closed here, and the guard
    // ends with it: the next start, whichever program's, begins once that is over, as the
    // first of a run does.
    PollUntil([] { return !ProgramRuns(L"OmbrelGuard.exe"); }, kGuardLeaving);
    return {elapsed, peak};
}

// 50 keys of one's own (the usual 21 stay), a name for every desktop and 20 rules. The rules
// match no window of the run, so every window the start sees is tried against all of them.
void WriteLargeSettingsFile() {
    std::string text = "{\n  \"keys\": {\n";
    const char* const commands[] = {"switch", "send", "move"};
    for (int key = 0; key < 50; ++key) {
        const char letter = static_cast<char>('a' + key % 26);
        text += std::string("    \"") + (key < 26 ? "ctrl+shift+" : "alt+shift+") + letter +
                "\": \"" + commands[key % 3] + " " + std::to_string(key % 9 + 1) + "\",\n";
    }
    text += "    \"f24\": \"pause\"\n  },\n  \"names\": {";
    for (int desktop = 1; desktop <= 9; ++desktop) {
        text += "\"" + std::to_string(desktop) + "\": \"desktop " + std::to_string(desktop) + "\"" +
                (desktop < 9 ? ", " : "");
    }
    text += "},\n  \"rules\": [\n";
    const char* const fields[] = {"exe", "class", "title"};
    for (int rule = 0; rule < 20; ++rule) {
        const std::string number = std::to_string(rule);
        text += std::string("    {\"") + fields[rule % 3] + "\": \"NoSuch" + number + "*\", " +
                (rule % 5 == 4 ? std::string("\"pin\": true")
                               : "\"desktop\": " + std::to_string(rule % 9 + 1)) +
                "}" + (rule < 19 ? ",\n" : "\n");
    }
    text += "  ]\n}\n";
    WriteSettingsFile(text);
}

}  // namespace

StartupFigures MeasureStartup(const Contenders& programs, int runs) {
    StartupFigures figures;
    RemoveSettingsFile();
    // Taking turns, so that a slow moment of the machine falls on all.
    for (int run = 0; run < runs; ++run) {
        const OneStart ombrel = StartOnce(kOmbrel, programs);
        figures.ombrelMs.push_back(ombrel.milliseconds);
        figures.ombrelPeakBytes.push_back(ombrel.peakBytes);
        WriteLargeSettingsFile();
        const OneStart withFile = StartOnce(kOmbrel, programs);
        RemoveSettingsFile();
        figures.ombrelWithFileMs.push_back(withFile.milliseconds);
        figures.ombrelWithFilePeakBytes.push_back(withFile.peakBytes);
        const OneStart minimal = StartOnce(kMinimal, programs);
        figures.minimalMs.push_back(minimal.milliseconds);
        figures.minimalPeakBytes.push_back(minimal.peakBytes);
    }
    return figures;
}

}  // namespace ombrel::bench
