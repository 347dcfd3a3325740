#include "settings/SettingsStore.h"

#include <algorithm>

#include "platform/Text.h"

namespace ombrel {

bool PathsEqual(std::u16string_view a, std::u16string_view b) {
    return SameIgnoringCase(a, b);
}

std::u16string WallpaperValueName(int desktopIndex) {
    return u"WallPaper" + DecimalText(desktopIndex);
}

std::u16string ProgramPath(RunningProcess& process) {
    return process.ProgramDirectory() + u"\\" + process.ProgramName() + u".exe";
}

std::u16string RunCommandFor(std::u16string_view programPath) {
    if (programPath.find(u' ') == std::u16string_view::npos) {
        return std::u16string(programPath);
    }
    return u"\"" + std::u16string(programPath) + u"\"";
}

bool RunValueNamesProgram(std::u16string_view stored, std::u16string_view programPath) {
    if (stored.size() >= 2 && stored.front() == u'"' && stored.back() == u'"') {
        stored = stored.substr(1, stored.size() - 2);
    }
    return PathsEqual(stored, programPath);
}

void RegistryObjects::ConfigureAtStartup() {
    DefaultWallpaperReg.SetRootKey(kHkeyUsers);
    DefaultWallpaperReg.SetRegKey(std::u16string(kDefaultProfileDesktopKey));
    DefaultWallpaperReg.SetKeyName(std::u16string(kDefaultWallpaperValueName));
    DefaultWallpaperReg.GetValue();
}

}  // namespace ombrel
