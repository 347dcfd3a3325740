#include "win32/Win32Wallpaper.h"

#include <windows.h>

#include "win32/WideText.h"

namespace ombrel::win32 {

bool Win32Wallpaper::SetDesktopWallpaper(std::u16string_view path) noexcept {
    try {
        std::wstring widePath = ToWide(path);
        // Windows may take a file that is not there without complaint and show no picture; the
        // user must hear that his wallpaper is gone.
        if (!widePath.empty()) {
            const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES ||
                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                return false;
            }
        }
        // Written to the user's profile, but no change notice goes out to other programs.
        return ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, widePath.data(),
                                       SPIF_UPDATEINIFILE) != FALSE;
    } catch (...) {
        // A noexcept seam: no memory for the wide path is a wallpaper Windows did not take.
        return false;
    }
}

std::u16string Win32Wallpaper::DesktopWallpaper() {
    // The answer never exceeds MAX_PATH characters.
    std::wstring path(MAX_PATH + 1, L'\0');
    if (::SystemParametersInfoW(SPI_GETDESKWALLPAPER, static_cast<UINT>(path.size()), path.data(),
                                0) == FALSE) {
        return {};
    }
    return FromWide(std::wstring_view(path.c_str()));
}

}  // namespace ombrel::win32
