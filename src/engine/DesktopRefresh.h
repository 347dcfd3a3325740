#pragma once

#include <functional>
#include <span>
#include <vector>

#include "engine/Changes.h"
#include "engine/Desktops.h"
#include "engine/FirstSight.h"
#include "engine/KnownWindows.h"
#include "engine/ShellWindows.h"
#include "engine/TaskWindowFilter.h"
#include "engine/WindowVisibility.h"
#include "engine/WindowWalk.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// What a refresh changed for others to hear, and what is left for the engine to decide.
struct RefreshOutcome {
    std::vector<Change> changes;  // opened and closed, where asked to tell them
    std::vector<BroughtUp> broughtUp;
};

// The refresh, once a second: the current desktop's set refilled from the screen, the windows
// seen for the first time placed by the rules, the windows lost on the way taken back, and what
// waits on refreshes moved on.
class DesktopRefresh {
  public:
    // Hides the windows a rule sent to another desktop, listing them first.
    using HideLeaving = std::function<void(std::span<const WindowHandle>)>;

    DesktopRefresh(WindowSystem& windows, KnownWindows& known, WindowVisibility& visibility,
                   TaskWindowFilter& filter, FirstSight& firstSight, ShellWindows& shell)
        : windows_(windows),
          known_(known),
          visibility_(visibility),
          filter_(filter),
          firstSight_(firstSight),
          shell_(shell),
          walk_(windows, known, filter, shell) {}

    // With ages false, a query's look or a prompt one, which settles nothing that waits on
    // refreshes: a script that asks ten times a second changes nothing by asking.
    RefreshOutcome Run(Desktops& desktops, bool ages, bool tellChanges,
                       const HideLeaving& hideLeaving);

  private:
    // Puts the windows seen for the first time where the rules say: into another desktop's set
    // (hidden at once), pinned, or left alone.
    void PlaceFirstSeen(Desktops& desktops, std::span<const WindowHandle> firstSeen, bool ages,
                        const HideLeaving& hideLeaving);
    // The keyboard left on our focus holder (a program took too long to take it, or a switch
    // was refused it) goes to the current desktop's top responding window, or the desktop.
    void GiveTheKeyboardBack(const Desktop& current);

    WindowSystem& windows_;
    KnownWindows& known_;
    WindowVisibility& visibility_;
    TaskWindowFilter& filter_;
    FirstSight& firstSight_;
    ShellWindows& shell_;
    WindowWalk walk_;
};

}  // namespace ombrel
