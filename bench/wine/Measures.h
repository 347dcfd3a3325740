#pragma once

#include <string>
#include <vector>

#include "Programs.h"

namespace ombrel::bench {

struct SwitchFigures {
    int windowsPerDesktop = 0;
    std::vector<double> ombrel;    // ms from the key press until the switch is complete
    std::vector<double> direct;    // the driver hiding and showing the same windows itself
    std::vector<double> byHotkey;  // the same, on the same key press held by the driver
    int lostPresses = 0;           // key presses Wine never delivered; repeated
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
};

SwitchFigures MeasureSwitch(const Contenders& programs, int windowsPerDesktop, int runs);
// wineServer: the Linux process id of the Wine server, 0 if not known.
IdleFigures MeasureIdle(const Contenders& programs, int windows, int seconds, int wineServer);
StartupFigures MeasureStartup(const Contenders& programs, int runs);

}  // namespace ombrel::bench
