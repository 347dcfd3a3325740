#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Wallpaper.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"

namespace ombrel {

// A wallpaper put on the screen: its path (empty: none) and whether Windows took it.
struct AppliedWallpaper {
    std::u16string path;
    bool taken = false;
};

// Puts a desktop's stored wallpaper on the screen, or the default one.
class DesktopWallpapers {
  public:
    DesktopWallpapers(Wallpaper& wallpaper, const StoredSettings& settings,
                      const RegistryObjects& registry)
        : wallpaper_(wallpaper), settings_(settings), registry_(registry) {}

    // Keeps the wallpaper the user has as the program starts, once, with the default profile's.
    void ReadStartupWallpaper();

    AppliedWallpaper ApplyDesktopWallpaper(std::int16_t index);
    // The default profile's wallpaper as start-up read it, or where that is empty the user's
    // own from start-up; empty removes the wallpaper.
    AppliedWallpaper ApplyDefaultWallpaper();
    AppliedWallpaper SetWallpaper(std::u16string_view path);

  private:
    Wallpaper& wallpaper_;
    const StoredSettings& settings_;
    const RegistryObjects& registry_;
    std::u16string startupWallpaper_;
};

}  // namespace ombrel
