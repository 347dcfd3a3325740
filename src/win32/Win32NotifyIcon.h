#pragma once

#include <windows.h>

#include <shellapi.h>

#include "ui/NotifyIcon.h"
#include "win32/SystemLibrary.h"
#include "win32/UniqueHandle.h"
#include "win32/WindowIcon.h"

namespace ombrel::win32 {

// The icon in the notification area, by Shell_NotifyIconW, known to the shell by its window
// and a fixed id. One HICON lives at a time: the one the shell shows now.
class Win32NotifyIcon final : public NotifyIcon {
  public:
    Win32NotifyIcon() = default;
    ~Win32NotifyIcon() override { Remove(); }

    int PictureSize() noexcept override;
    bool Add(WindowHandle owner, std::uint32_t message, const IconPicture& picture,
             std::u16string_view tip) noexcept override;
    bool Update(const IconPicture& picture) noexcept override;
    void Remove() noexcept override;
    int ShowMenu(std::span<const MenuItem> items, ScreenPoint at) noexcept override;

    // The icon the shell shows now; for the tests of this class.
    HICON CurrentIcon() const { return icon_.Get(); }

  private:
    NOTIFYICONDATAW Identity() const;
    // Shell_NotifyIconW, with the shell's library loaded when the icon is first wanted: most
    // starts have no icon.
    bool Notify(DWORD message, NOTIFYICONDATAW& data) noexcept;

    SystemLibrary shell_{L"shell32.dll"};
    HWND owner_ = nullptr;
    UniqueIcon icon_;
    ProgramIcons programIcons_;
};

// The picture as an icon (a 32-bit colour bitmap with its alpha and a mask); empty on failure.
UniqueIcon IconOfPicture(const IconPicture& picture) noexcept;

}  // namespace ombrel::win32
