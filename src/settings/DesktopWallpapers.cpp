#include "settings/DesktopWallpapers.h"

namespace ombrel {

void DesktopWallpapers::ApplyDesktopWallpaper(std::int16_t index) {
    clsReg& settings = registry_.SettingsReg;
    settings.SetKeyName(WallpaperValueName(index));
    settings.GetValue();
    if (!settings.KeyValue().empty()) {
        SetWallpaper(settings.KeyValue());
    } else {
        ApplyDefaultWallpaper();
    }
}

void DesktopWallpapers::ApplyDefaultWallpaper() {
    SetWallpaper(registry_.DefaultWallpaperReg.KeyValue());
}

void DesktopWallpapers::SetWallpaper(std::u16string_view path) {
    wallpaper_.SetDesktopWallpaper(path);
}

}  // namespace ombrel
