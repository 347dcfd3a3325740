#include "settings/SettingsStore.h"

#include <algorithm>

#include "platform/Text.h"

namespace ombrel {
namespace {

// The letters whose case Windows ignores in the paths users meet most: ASCII, Latin-1, Greek
// and Cyrillic. Scripts without case (Chinese) compare as they are.
char16_t FoldCase(char16_t c) {
    const auto shifted = [c](int by) { return static_cast<char16_t>(c + by); };
    if ((c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7') ||
        (c >= u'\u0391' && c <= u'\u03A9' && c != u'\u03A2') ||
        (c >= u'\u0410' && c <= u'\u042F')) {
        return shifted(0x20);
    }
    if (c >= u'\u0400' && c <= u'\u040F') {
        return shifted(0x50);
    }
    return c;
}

}  // namespace

bool PathsEqual(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
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
