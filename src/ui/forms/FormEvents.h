#pragma once

#include <string_view>

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
    // The user finished moving the window (the program's own moves do not count).
    virtual void OnMovedByUser() {}
    // The control's tooltip is about to show: the moment to bring its text up to date.
    virtual void OnToolTipNeeded(std::u16string_view /*control*/, int /*index*/) {}

  protected:
    ~FormEvents() = default;
};

}  // namespace ombrel
