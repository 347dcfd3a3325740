#include "win32/Win32Wallpaper.h"

#include <windows.h>

#include "win32/WideText.h"

namespace ombrel::win32 {

bool Win32Wallpaper::SetDesktopWallpaper(std::u16string_view path) noexcept {
    try {
        std::wstring widePath = ToWide(path);
        // Written to the user's profile, but no change notice goes out to other programs.
        return ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, widePath.data(),
                                       SPIF_UPDATEINIFILE) != FALSE;
    } catch (...) {
        return false;
    }
}

}  // namespace ombrel::win32
