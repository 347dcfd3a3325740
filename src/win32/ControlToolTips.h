#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/forms/Form.h"
#include "win32/NativeControls.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The tooltip of a form's controls whose rows have one: one window for them all, which asks
// the form for a control's text each time it shows, so that the text says what is true then.
class ControlToolTips {
  public:
    ControlToolTips(Form& form, const NativeControls& controls)
        : form_(form), controls_(controls) {}
    ControlToolTips(const ControlToolTips&) = delete;
    ControlToolTips& operator=(const ControlToolTips&) = delete;

    // For the controls just made in the window.
    void Create(HWND window, HINSTANCE instance, UINT dpi);
    void Destroy() { tooltip_.Reset(); }
    // WM_NOTIFY to the window: true when it was the tooltip asking for a text, now given.
    bool Notified(NMHDR& header);

  private:
    // The tooltip is about to show the control's text: the form brings it up to date first.
    void OnTextNeeded(NMTTDISPINFOW& info);

    Form& form_;
    const NativeControls& controls_;
    UniqueWindow tooltip_;
    std::wstring text_;
};

}  // namespace ombrel::win32
