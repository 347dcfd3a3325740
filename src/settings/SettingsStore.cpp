#include "settings/SettingsStore.h"

#include "platform/Text.h"

namespace ombrel {

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
    return stored == programPath || stored == u"\"" + std::u16string(programPath) + u"\"";
}

void RegistryObjects::ConfigureAtStartup() {
    DefaultWallpaperReg.SetRootKey(kHkeyUsers);
    DefaultWallpaperReg.SetRegKey(std::u16string(kDefaultProfileDesktopKey));
    DefaultWallpaperReg.SetKeyName(std::u16string(kDefaultWallpaperValueName));
    DefaultWallpaperReg.GetValue();
}

}  // namespace ombrel
