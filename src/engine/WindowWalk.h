#pragma once

#include <vector>

#include "engine/Changes.h"
#include "engine/Desktops.h"
#include "engine/KnownWindows.h"
#include "engine/ShellWindows.h"
#include "engine/TaskWindowFilter.h"
#include "engine/WindowTable.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// A window its program showed again while it was parked on another desktop.
struct BroughtUp {
    WindowHandle window;
    int desktop;  // where it was parked
};

// What one walk over every top-level window found.
struct WalkFindings {
    // Windows of the current desktop seen for the first time, top first.
    std::vector<WindowHandle> firstSeen;
    // Windows we hid that are in no set (a hide carried out after the window had been taken in
    // where it stood): they belong to the current desktop again.
    std::vector<WindowHandle> strays;
    // Parked windows that their programs showed again after our hide was seen done, now in the
    // current desktop's set.
    std::vector<BroughtUp> broughtUp;
};

// The refresh's walk: refills the current desktop's set from the windows that qualify now, in
// the system's order. A window belongs to one desktop: one its program showed again while it was
// parked belongs where it appeared, and a closed one nowhere; what closed is forgotten.
class WindowWalk {
  public:
    WindowWalk(WindowSystem& windows, KnownWindows& known, TaskWindowFilter& filter,
               const ShellWindows& shell)
        : windows_(windows), known_(known), filter_(filter), shell_(shell) {}

    WalkFindings Walk(Desktops& desktops);
    // The changes a walk made: the windows new in the sets (by desktop) and those gone from
    // the sets and from the system; before holds the sets' windows before it.
    std::vector<Change> OpenedAndClosed(const Desktops& desktops,
                                        const std::vector<WindowHandle>& before);

  private:
    // Where a window of the sets was before a walk, and whether the walk met it parked still.
    struct BeforeTheWalk {
        int parkedOn = -1;  // the first other desktop whose set holds it; -1: none
        bool stillParked = false;
        bool here = false;         // in the current desktop's set, looked up where it was
        std::size_t position = 0;  // there
    };

    WindowSystem& windows_;
    KnownWindows& known_;
    TaskWindowFilter& filter_;
    const ShellWindows& shell_;
    // Kept from one walk to the next, for their storage.
    WindowTable<BeforeTheWalk> before_;
    WindowSet spare_;  // the current set's other vector: a walk reads one and fills the other
};

}  // namespace ombrel
