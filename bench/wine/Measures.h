#pragma once

#include <string>
#include <vector>

#include "Programs.h"

namespace ombrel::bench {

// Round trips from desktop 1 to 2 and back: ms from the first key press until the second
// switch is complete, and in how many of them desktop 1 came back in its stacking order with
// the focus on the same window.
struct RoundTrips {
    std::vector<double> milliseconds;
    int kept = 0;
};

struct SwitchFigures {
    int windowsPerDesktop = 0;
    RoundTrips ombrel;
    RoundTrips cheapest;       // the driver doing the cheapest sequence itself
    RoundTrips cheapestOnKey;  // the same, on a key press of the driver's own
    RoundTrips previous;       // the driver doing the sequence Ombrel used before
    int lostPresses = 0;       // key presses Wine never delivered; repeated
};

struct IdleFigures {
    int windows = 0;
    double seconds = 0;
    double ombrelCpuMs = 0;
    double minimalCpuMs = 0;
    // What the Wine server spent meanwhile on everybody's behalf; negative when not known.
    double ombrelServerMs = -1;
    double minimalServerMs = -1;
};

struct StartupFigures {
    std::vector<double> ombrelMs;
    std::vector<double> minimalMs;
    std::vector<double> ombrelPeakBytes;
    std::vector<double> minimalPeakBytes;
    // Ombrel with a settings file of 50 keys, 9 names and 20 rules.
    std::vector<double> ombrelWithFileMs;
    std::vector<double> ombrelWithFilePeakBytes;
};

struct GuardFigures {
    std::vector<double> shownAfterKillMs;   // until every window is visible again
    std::vector<double> arrangementBackMs;  // from the next start until it is back
    double guardPeakBytes = 0;
    double minimalPeakBytes = 0;
    double guardIdleCpuMs = -1;
    double minimalIdleCpuMs = -1;
};

struct CommandLineFigures {
    std::vector<double> commandMs;  // "Ombrel.exe switch N", from its start until it ended
    std::vector<double> helpMs;     // "Ombrel.exe help": the same process, no pipe
    std::vector<double> captionMs;  // from a switch key until the bar names the desktop
    std::vector<double> watchMs;    // from the same key until "watch" has printed its line
};

struct FinderFigures {
    std::vector<double> openMs;    // from its key until it is visible with every window listed
    std::vector<double> filterMs;  // from a character typed until the list holds what matches
};

struct WindowNewsFigures {
    std::vector<double> ruleMs;       // from a new window seen until a rule has hidden it
    std::vector<double> watchOpenMs;  // from a new window seen until "watch" told of it
};

struct GuiObjects {
    unsigned long gdi = 0;
    unsigned long user = 0;
};

struct TrayIconFigures {
    int switches = 0;
    GuiObjects before;  // Ombrel's objects with the icon on, settled
    GuiObjects after;   // the same after the switches
    double switchMs = 0;
};

SwitchFigures MeasureSwitch(const Contenders& programs, int windowsPerDesktop, int runs);
// wineServer: the Linux process id of the Wine server, 0 if not known.
IdleFigures MeasureIdle(const Contenders& programs, int windows, int seconds, int wineServer);
StartupFigures MeasureStartup(const Contenders& programs, int runs);
GuardFigures MeasureGuard(const Contenders& programs, int runs, int idleSeconds);
CommandLineFigures MeasureCommandLine(const Contenders& programs, int runs);
WindowNewsFigures MeasureWindowNews(const Contenders& programs, int runs);
FinderFigures MeasureFinder(const Contenders& programs, int windowsPerDesktop, int runs);
TrayIconFigures MeasureTrayIcon(const Contenders& programs, int switches);

}  // namespace ombrel::bench
