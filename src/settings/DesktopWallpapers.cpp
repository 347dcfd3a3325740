#include "settings/DesktopWallpapers.h"

namespace ombrel {

void DesktopWallpapers::ReadStartupWallpaper() {
    startupWallpaper_ = wallpaper_.DesktopWallpaper();
}

AppliedWallpaper DesktopWallpapers::ApplyDesktopWallpaper(std::int16_t index) {
    const std::u16string stored = settings_.Wallpaper(index);
    if (!stored.empty()) {
        return SetWallpaper(stored);
    }
    return ApplyDefaultWallpaper();
}

AppliedWallpaper DesktopWallpapers::ApplyDefaultWallpaper() {
    // Current Windows leaves the default profile without a wallpaper: putting its empty value
    // on the screen would take the user's own away.
    const std::u16string& profile = registry_.DefaultWallpaperReg.KeyValue();
    return SetWallpaper(profile.empty() ? startupWallpaper_ : profile);
}

AppliedWallpaper DesktopWallpapers::SetWallpaper(std::u16string_view path) {
    return {std::u16string(path), wallpaper_.SetDesktopWallpaper(path)};
}

}  // namespace ombrel
