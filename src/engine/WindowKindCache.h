#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/WindowTable.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// Whether a visible top-level window may belong to a desktop, by what it is: a part of the
// shell that must never be hidden, or a window that lives for a moment or only as a part of
// another (a tooltip, a menu, a drop-down), which would come back as a ghost. A window's class
// and kind do not change in its life, and asking is a call into the window manager for every
// window at every refresh, so the answer is kept while the window is still seen: what a refresh
// did not ask about is forgotten at its end.
class WindowKindCache {
  public:
    explicit WindowKindCache(WindowSystem& windows) : windows_(windows) {}

    // False for the shell's parts and for passing windows.
    bool MayJoinADesktop(WindowHandle window);
    // A refresh has passed over every window.
    void Refreshed();

  private:
    struct Answer {
        std::uint32_t lastAsked = 0;  // the refresh during which it was last asked for
        bool mayJoin = false;
    };

    bool Classify(WindowHandle window);

    WindowSystem& windows_;
    // An answer counts while it was asked for since the refresh before the last one; the
    // others stay in the table, unused, until they are most of it.
    WindowTable<Answer> answers_;
    std::uint32_t refresh_ = 1;
    std::size_t askedNow_ = 0;  // the windows asked about since the last refresh
};

}  // namespace ombrel
