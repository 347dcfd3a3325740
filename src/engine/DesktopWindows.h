#pragma once

#include <array>
#include <vector>

#include "model/Command.h"
#include "platform/WindowHandle.h"

namespace ombrel {

using WindowSet = std::vector<WindowHandle>;

// The nine window sets: per desktop the windows to show when it is entered, top first as they
// stood when last seen. A window sent away is in its target's set alone.
class DesktopWindows {
  public:
    WindowSet& operator[](int index) { return sets_.at(static_cast<std::size_t>(index)); }
    const WindowSet& operator[](int index) const {
        return sets_.at(static_cast<std::size_t>(index));
    }
    auto begin() const { return sets_.begin(); }
    auto end() const { return sets_.end(); }

  private:
    std::array<WindowSet, kDesktopCount> sets_;
};

}  // namespace ombrel
