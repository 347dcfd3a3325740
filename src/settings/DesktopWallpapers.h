#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Wallpaper.h"
#include "settings/SettingsStore.h"

namespace ombrel {

// Puts a desktop's stored wallpaper on the screen, or the default profile's one.
class DesktopWallpapers {
  public:
    DesktopWallpapers(Wallpaper& wallpaper, RegistryObjects& registry)
        : wallpaper_(wallpaper), registry_(registry) {}

    void ApplyDesktopWallpaper(std::int16_t index);
    // The default profile's wallpaper as start-up read it; empty removes the wallpaper.
    void ApplyDefaultWallpaper();
    void SetWallpaper(std::u16string_view path);

  private:
    Wallpaper& wallpaper_;
    RegistryObjects& registry_;
};

}  // namespace ombrel
