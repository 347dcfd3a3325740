#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Wallpaper.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"

namespace ombrel {

// Puts a desktop's stored wallpaper on the screen, or the default profile's one.
class DesktopWallpapers {
  public:
    DesktopWallpapers(Wallpaper& wallpaper, const StoredSettings& settings,
                      const RegistryObjects& registry)
        : wallpaper_(wallpaper), settings_(settings), registry_(registry) {}

    void ApplyDesktopWallpaper(std::int16_t index);
    // The default profile's wallpaper as start-up read it; empty removes the wallpaper.
    void ApplyDefaultWallpaper();
    void SetWallpaper(std::u16string_view path);

  private:
    Wallpaper& wallpaper_;
    const StoredSettings& settings_;
    const RegistryObjects& registry_;
};

}  // namespace ombrel
