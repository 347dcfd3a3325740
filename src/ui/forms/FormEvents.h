#pragma once

#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

// What a form's behaviour handles; every event it does not handle is ignored.
class FormEvents {
  public:
    FormEvents() = default;
    FormEvents(const FormEvents&) = delete;
    FormEvents& operator=(const FormEvents&) = delete;

    virtual void OnLoad() {}
    virtual void OnUnload() {}
    virtual void OnClick(std::u16string_view /*control*/, int /*index*/) {}
    virtual void OnDblClick() {}
    // A right-click on the window's free surface.
    virtual void OnContextMenu() {}
    virtual void OnTimer(std::u16string_view /*control*/) {}
    // The system asks whether the session may end (the user signs out or shuts down); it may
    // still be cancelled.
    virtual void OnSessionEnding() {}
    // The screens changed (one added, removed or of another resolution), or the window's own
    // screen changed its scale: the window's place may need looking at.
    virtual void OnScreensChanged() {}
    // The user finished moving the window (the program's own moves do not count).
    virtual void OnMovedByUser() {}
    // A right-click on a control (or the menu key while it has the focus).
    virtual void OnControlContextMenu(std::u16string_view /*control*/, int /*index*/) {}
    // The mouse wheel turned over the window: positive away from the user, 120 a notch.
    virtual void OnMouseWheel(int /*delta*/) {}
    // Another program's window was let go after a move with the pointer over the control (empty
    // over the window's free surface).
    virtual void OnWindowDropped(WindowHandle /*window*/, std::u16string_view /*control*/,
                                 int /*index*/) {}
    // The control's tooltip is about to show: the moment to bring its text up to date.
    virtual void OnToolTipNeeded(std::u16string_view /*control*/, int /*index*/) {}

  protected:
    ~FormEvents() = default;
};

}  // namespace ombrel
