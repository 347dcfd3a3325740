#pragma once

#include <string_view>

namespace ombrel {

// The picture on the desktop.
class Wallpaper {
  public:
    Wallpaper() = default;
    Wallpaper(const Wallpaper&) = delete;
    Wallpaper& operator=(const Wallpaper&) = delete;
    virtual ~Wallpaper() = default;

    // Shows the image and writes the choice to the user's profile; an empty path removes it.
    virtual bool SetDesktopWallpaper(std::u16string_view path) noexcept = 0;
};

}  // namespace ombrel
