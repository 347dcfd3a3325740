#pragma once

#include <windows.h>

#include <string_view>

#include "text/Texts.h"
#include "ui/forms/Layout.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The two fonts of a window at one DPI: the desktop buttons' own, and one for everything else
// that shows the language in force: a face with Chinese, or the system's own for English.
class UiFonts {
  public:
    UiFonts(UINT dpi, Language language);
    Language LanguageShown() const { return language_; }
    HFONT For(ControlFont font, bool bold = false) const;
    // The text font at the largest size up to its usual one whose lineCount lines fit in
    // pixels of height, so that a fixed text shows every line.
    UniqueFont TextFittingLines(int lineCount, int pixels) const;
    // The same for a text whose lines wrap at width pixels: the whole of it, wrapped, fits in
    // height pixels, at the smallest size where nothing fits.
    UniqueFont TextFittingWrapped(std::wstring_view text, int width, int height) const;

  private:
    UINT dpi_;
    Language language_;
    const std::wstring& face_;
    UniqueFont text_;
    UniqueFont desktopButtons_;
    UniqueFont desktopButtonsBold_;
};

}  // namespace ombrel::win32
