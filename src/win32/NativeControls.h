#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/forms/Form.h"
#include "win32/FormScale.h"
#include "win32/UiFonts.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The child windows of a form's window, one for each button, label, text box, check box and
// frame of its layout rows, and a system timer for each timer row: made, sized for the window's
// DPI, given their fonts, and kept up to date with the form's controls. What the user does to
// them reaches the form. They go with their window.
class NativeControls {
  public:
    explicit NativeControls(Form& form) : form_(form) {}
    NativeControls(const NativeControls&) = delete;
    NativeControls& operator=(const NativeControls&) = delete;

    void Create(HWND window, HINSTANCE instance, const FormScale& scale);
    // The window was destroyed, and its children with it.
    void Forget();
    // Every control placed and lettered again at the window's new DPI.
    void Relayout(const FormScale& scale);
    // The form's control changed: its text, value, place, or boldness.
    void Changed(const Control& control, ControlChange change);
    // The control with tab index 0 takes the focus.
    void FocusFirst() const;
    // WM_COMMAND from a control: the user edited, ticked or clicked it.
    void Commanded(int id, int code);

    // The index among the form's controls of a child window, or of a control's or timer's id;
    // -1 for none.
    int IndexOf(HWND child) const;
    int IndexOfId(std::uintptr_t id) const;
    // Each control's window, by index among the form's controls; none for timers and shapes.
    const std::vector<HWND>& Windows() const { return windows_; }

  private:
    void ApplyTabOrder();
    HFONT FontFor(const Control& control, HWND child);

    Form& form_;
    HWND window_ = nullptr;
    FormScale scale_;
    std::unique_ptr<UiFonts> fonts_;
    std::vector<HWND> windows_;  // parallel to the form's controls
    std::vector<UniqueFont> fittedFonts_;
};

}  // namespace ombrel::win32
