#pragma once

#include "platform/Wallpaper.h"

namespace ombrel::win32 {

class Win32Wallpaper final : public Wallpaper {
  public:
    bool SetDesktopWallpaper(std::u16string_view path) noexcept override;
    std::u16string DesktopWallpaper() override;
};

}  // namespace ombrel::win32
