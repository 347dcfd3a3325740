#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/Wallpaper.h"

namespace ombrel::fakes {

// Records every wallpaper the program puts on the desktop; a refused path is not taken.
class FakeWallpaper final : public Wallpaper {
  public:
    const std::vector<std::u16string>& Applied() const { return applied_; }
    // The user's wallpaper before the program changes anything.
    void SetCurrent(std::u16string path) { current_ = std::move(path); }
    // Windows will not take this path, as for a file that is gone.
    void Refuse(std::u16string path) { refused_.insert(std::move(path)); }

    bool SetDesktopWallpaper(std::u16string_view path) noexcept override {
        applied_.emplace_back(path);
        if (refused_.contains(applied_.back())) {
            return false;
        }
        current_ = path;
        return true;
    }
    std::u16string DesktopWallpaper() override { return current_; }

  private:
    std::vector<std::u16string> applied_;
    std::u16string current_;
    std::set<std::u16string> refused_;
};

}  // namespace ombrel::fakes
