#pragma once

#include <span>
#include <utility>
#include <vector>

#include "engine/KnownWindows.h"
#include "engine/RememberedPlaces.h"
#include "engine/WindowRules.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// The rules that place each window seen from now on for the first time (at start-up, or new at
// a refresh), the first that matches deciding, and where no rule does, the place remembered of
// it; windows seen before stay where they are.
class FirstSight {
  public:
    // How many refreshes a store app's frame without content is looked at again for rules.
    static constexpr int kFrameLookouts = 10;

    FirstSight(WindowSystem& windows, KnownWindows& known, RememberedPlaces& remembered)
        : windows_(windows), known_(known), remembered_(remembered) {}

    void UseRules(WindowRules rules) { rules_ = std::move(rules); }
    const WindowRules& Rules() const { return rules_; }
    // What is on the screen at the next refresh was there before this start: no rule moves it,
    // nor anything remembered.
    void SkipNextSight() { rulesAtNextSight_ = false; }

    // Records the windows a refresh saw for the first time, top first, and returns where the
    // rules put those that do not stay where they appeared. A program's windows first seen
    // together go where its root owner goes. A query's look (ages false) counts no refresh for
    // the frames looked at again.
    std::vector<std::pair<WindowHandle, WindowPlacement>> Place(
        std::span<const WindowHandle> firstSeen, int here, bool ages);

  private:
    // A window no rule matched is seen again at the next refresh while it is a store app's
    // frame that shows no app yet.
    void LookAgainWithoutContent(WindowHandle window, KnownWindow& known, bool ages);

    WindowSystem& windows_;
    KnownWindows& known_;
    RememberedPlaces& remembered_;
    WindowRules rules_;
    bool rulesAtNextSight_ = true;
};

}  // namespace ombrel
