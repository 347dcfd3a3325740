#pragma once

#include <windows.h>

#include "ui/forms/Form.h"

namespace ombrel::win32 {

// Screen pixels to and from the twips that place forms (kTwipsPerScreenPixel on every screen).
int ScreenPx(float twips);
float ScreenTwips(LONG pixels);

// What lies inside a form's window, in the window's pixels at its DPI.
class FormScale {
  public:
    explicit FormScale(UINT dpi = USER_DEFAULT_SCREEN_DPI) : dpi_(dpi) {}

    UINT Dpi() const { return dpi_; }
    int Px(float twips) const;
    // Where the control stands in the window's client area.
    RECT ControlRect(Form& form, const Control& control) const;

  private:
    UINT dpi_;
};

}  // namespace ombrel::win32
