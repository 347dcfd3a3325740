#pragma once

#include <windows.h>

#include "ui/forms/Layout.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The two fonts of a window at one DPI: the desktop buttons' own, and one that shows Chinese
// for everything else.
class UiFonts {
  public:
    explicit UiFonts(UINT dpi);
    HFONT For(ControlFont font, bool bold = false) const;
    // The text font at the largest size up to its usual one whose lineCount lines fit in
    // pixels of height, so that a fixed text shows every line.
    UniqueFont TextFittingLines(int lineCount, int pixels) const;

  private:
    UINT dpi_;
    UniqueFont text_;
    UniqueFont desktopButtons_;
    UniqueFont desktopButtonsBold_;
};

}  // namespace ombrel::win32
