#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/KnownWindows.h"
#include "engine/WindowWalk.h"
#include "model/WindowRule.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// What becomes of the windows that their programs brought up while they were parked on another
// desktop: each joins the desktop where it appeared, is followed to its own, or goes back there
// hidden, with its desktop marked as wanting the user; the first rule with an onActivate that
// the window matches decides, or else the setting.
class ActivationPolicy {
  public:
    // A program that brings its window up again this soon after we acted on it insists: it
    // joins, so that no program and no pair of programs can keep us switching or hiding.
    static constexpr std::uint64_t kQuietRefreshes = 5;

    struct Decisions {
        std::optional<BroughtUp> follow;  // one at most: a look never switches twice
        std::vector<BroughtUp> mark;      // back to their desktops, hidden, marked
        std::vector<WindowHandle> join;   // left where they appeared
    };

    ActivationPolicy(WindowSystem& windows, KnownWindows& known)
        : windows_(windows), known_(known) {}

    void Use(OnActivate byDefault) { byDefault_ = byDefault; }
    // Once a second: the time by which a program's insisting is told.
    void Refreshed() { ++refreshes_; }
    Decisions Decide(std::span<const BroughtUp> broughtUp, std::span<const WindowRule> rules);

  private:
    // Whether the window, or a window of its family, took the foreground: on Windows a program
    // gets it only by the user's own doing, or a right passed on by it.
    bool TookTheForeground(WindowHandle window);

    WindowSystem& windows_;
    KnownWindows& known_;
    OnActivate byDefault_ = OnActivate::Join;
    std::uint64_t refreshes_ = 1;
};

}  // namespace ombrel
