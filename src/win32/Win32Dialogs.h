#pragma once

#include "platform/CommonDialogs.h"
#include "platform/Wallpaper.h"

namespace ombrel::win32 {

class Win32Dialogs final : public CommonDialogs {
  public:
    bool ShowOpenFileDialog(OpenFileRecord& record) noexcept override;
    int ShowMessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                       std::uint32_t style) noexcept override;
};

class Win32Wallpaper final : public Wallpaper {
  public:
    bool SetDesktopWallpaper(std::u16string_view path) noexcept override;
};

}  // namespace ombrel::win32
