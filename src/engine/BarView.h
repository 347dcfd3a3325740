#pragma once

#include "platform/WindowHandle.h"

namespace ombrel {

// What the engine tells the button bar, and the little it asks of it. The engine owns the
// current desktop; the bar only shows it.
class BarView {
  public:
    BarView() = default;
    BarView(const BarView&) = delete;
    BarView& operator=(const BarView&) = delete;

    // The marker frames the desktop's button; at start-up and at every switch.
    virtual void SelectDesktopButton(int index) = 0;
    // The caption names the desktop; at every switch, not at start-up.
    virtual void NameDesktop(int index) = 0;
    // The desktops' names changed (DesktopEngine::DesktopName): the caption and the tooltips
    // show the new ones.
    virtual void DesktopsRenamed() = 0;
    // Whether the desktop holds any window; at start-up and whenever that changes.
    virtual void ShowDesktopHoldsWindows(int index, bool holdsWindows) = 0;
    // A window on the desktop asked for the user (it flashed) while another desktop was
    // current; or the user has been there since.
    virtual void ShowDesktopWantsAttention(int index, bool wants) = 0;
    // Ombrel's keys are off (paused), or on again.
    virtual void ShowKeysPaused(bool paused) = 0;
    virtual bool BarShown() const = 0;
    virtual void ShowBar(bool shown) = 0;
    // The bar's window, or None while it has none.
    virtual WindowHandle BarWindow() const = 0;

  protected:
    ~BarView() = default;
};

}  // namespace ombrel
