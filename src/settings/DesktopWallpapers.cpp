#include "settings/DesktopWallpapers.h"

namespace ombrel {

void DesktopWallpapers::ApplyDesktopWallpaper(std::int16_t index) {
    const std::u16string stored = settings_.Wallpaper(index);
    if (!stored.empty()) {
        SetWallpaper(stored);
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
