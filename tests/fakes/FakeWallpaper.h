#pragma once

#include <string>
#include <vector>

#include "platform/Wallpaper.h"

namespace ombrel::fakes {

// Records every wallpaper the program puts on the desktop.
class FakeWallpaper final : public Wallpaper {
  public:
    const std::vector<std::u16string>& Applied() const { return applied_; }
    bool SetDesktopWallpaper(std::u16string_view path) noexcept override {
        applied_.emplace_back(path);
        return true;
    }

  private:
    std::vector<std::u16string> applied_;
};

}  // namespace ombrel::fakes
