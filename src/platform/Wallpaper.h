#pragma once

#include <string>
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
    // False when Windows did not take it, a file that is not there included.
    virtual bool SetDesktopWallpaper(std::u16string_view path) noexcept = 0;
    // The image's path now; empty when there is none or it cannot be read.
    virtual std::u16string DesktopWallpaper() = 0;
};

}  // namespace ombrel
