#pragma once

#include <vector>

#include "engine/BarView.h"
#include "engine/KnownWindows.h"
#include "engine/WindowKindCache.h"
#include "engine/WindowVisibility.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// Which windows may belong to a desktop, and which go together.
class TaskWindowFilter {
  public:
    TaskWindowFilter(WindowSystem& windows, WindowVisibility& visibility, KnownWindows& known,
                     const BarView& bar)
        : windows_(windows), visibility_(visibility), known_(known), bar_(bar), kinds_(windows) {}

    // Visible (or about to be, as we asked), not cloaked, not part of the shell, not the bar
    // itself, neither pinned nor left alone by a rule, nor refused.
    bool IsTaskWindow(WindowHandle hWnd);
    // The same with the window's entry in the table looked up already (null: none): the
    // refresh looks once per window. known becomes null where the entry is dropped.
    bool IsTaskWindow(WindowHandle hWnd, KnownWindow*& known);
    // The window with its root owner and every window that owns; empty when the window may not
    // belong to a desktop. A dialog goes with the program that owns it, and the program with
    // its other owned windows: sent alone, either would be left behind, disabled or ownerless.
    std::vector<WindowHandle> FamilyOf(WindowHandle member);
    // A game or a presentation in front: it covers its screen, without a title bar, and is not
    // merely maximised.
    bool IsFullScreen(WindowHandle window);
    // A refresh has passed over every window.
    void Refreshed() { kinds_.Refreshed(); }

  private:
    WindowSystem& windows_;
    WindowVisibility& visibility_;
    KnownWindows& known_;
    const BarView& bar_;
    WindowKindCache kinds_;
};

}  // namespace ombrel
