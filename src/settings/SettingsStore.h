#pragma once

#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "platform/RunningProcess.h"
#include "settings/clsReg.h"

namespace ombrel {

inline constexpr std::u16string_view kSettingsKey = u"SOFTWARE\\Kelvora";
inline constexpr std::u16string_view kRunKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::u16string_view kRunValueName = u"Kelvora";
inline constexpr std::u16string_view kDefaultProfileDesktopKey =
    u".DEFAULT\\Control Panel\\desktop";
inline constexpr std::u16string_view kDefaultWallpaperValueName = u"Wallpaper";
inline constexpr std::u16string_view kNeverShowInfoValueName = u"NeverShowInfo";
inline constexpr std::u16string_view kBarPositionValueName = u"BarPosition";
// Only this exact text turns the start-up notice off.
inline constexpr std::u16string_view kNeverShowInfoYes = u"Yes";

// "WallPaper0" (desktop 1) to "WallPaper8" (desktop 9).
std::u16string WallpaperValueName(int desktopIndex);

// The running program's file: its directory, "\", its name, ".exe".
std::u16string ProgramPath(RunningProcess& process);
// What the Run value holds: the path in double quotes when it has a blank, so that no other
// program can be started in its place at log-on.
std::u16string RunCommandFor(std::u16string_view programPath);
// Paths name the same file whatever the case of their letters, as on Windows (a shortcut or a
// command line may start the program as "c:\program files\..."); no other normalisation.
bool PathsEqual(std::u16string_view a, std::u16string_view b);
// A stored Run value, quoted or bare, that names this program.
bool RunValueNamesProgram(std::u16string_view stored, std::u16string_view programPath);

// The registry object the program keeps from start-up to exit: the default profile's wallpaper,
// read once at start-up, for good.
struct RegistryObjects {
    explicit RegistryObjects(Registry& registry) : DefaultWallpaperReg(registry) {}

    void ConfigureAtStartup();

    clsReg DefaultWallpaperReg;
};

}  // namespace ombrel
