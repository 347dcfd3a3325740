#include "win32/Win32NotifyIcon.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "win32/Handles.h"
#include "win32/PopupMenu.h"

namespace ombrel::win32 {
namespace {

// The shell knows the icon by its window and this id. A GUID would outlive the window, but the
// shell ties a GUID to the path of the exe that first used it: a copy of Ombrel elsewhere, or
// one moved, would have its icon refused. The shell keeps the user's choice to show the icon by
// the exe and the id, so a fixed id keeps it from start to start.
constexpr UINT kIconId = 1;

// The small icons' size on the taskbar's screen at its scale now.
UINT TaskbarDpi() noexcept {
    if (HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) {
        if (const UINT dpi = ::GetDpiForWindow(taskbar); dpi != 0) {
            return dpi;
        }
    }
    return ::GetDpiForSystem();
}

}  // namespace

UniqueIcon IconOfPicture(const IconPicture& picture) noexcept {
    const int size = picture.size;
    if (size <= 0 || picture.pixels.size() != static_cast<std::size_t>(size) * size) {
        return UniqueIcon();
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = size;
    header.bV5Height = -size;  // rows from the top, as the picture's
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const UniqueBitmap colour(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header),
                                                 DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || bits == nullptr) {
        return UniqueIcon();
    }
    // An icon's colours are not premultiplied: the system multiplies them by the alpha when it
    // draws. The mask, for what draws without alpha, marks the clear pixels.
    const int maskStride = ((size + 15) / 16) * 2;
    std::vector<BYTE> mask;
    try {
        mask.assign(static_cast<std::size_t>(maskStride) * size, 0);
    } catch (...) {
        return UniqueIcon();
    }
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * size + x;
            const std::uint32_t pixel = picture.pixels[at];
            const std::uint32_t alpha = pixel >> 24;
            std::uint32_t straight = 0;
            if (alpha != 0) {
                straight = alpha << 24;
                for (int shift : {0, 8, 16}) {
                    const std::uint32_t channel = (pixel >> shift) & 0xFF;
                    straight |= std::min<std::uint32_t>(0xFF, (channel * 0xFF + alpha / 2) / alpha)
                                << shift;
                }
            } else {
                mask[static_cast<std::size_t>(y) * maskStride + x / 8] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
            }
            out[at] = straight;
        }
    }
    const UniqueBitmap maskBitmap(::CreateBitmap(size, size, 1, 1, mask.data()));
    if (!maskBitmap) {
        return UniqueIcon();
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskBitmap.Get();
    info.hbmColor = colour.Get();
    // The icon holds copies: the bitmaps go when this ends.
    return UniqueIcon(::CreateIconIndirect(&info));
}

NOTIFYICONDATAW Win32NotifyIcon::Identity() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kIconId;
    return data;
}

bool Win32NotifyIcon::Notify(DWORD message, NOTIFYICONDATAW& data) noexcept {
    const auto notify = shell_.Function<decltype(::Shell_NotifyIconW)>("Shell_NotifyIconW");
    return notify != nullptr && notify(message, &data) != FALSE;
}

int Win32NotifyIcon::PictureSize() noexcept {
    return ::GetSystemMetricsForDpi(SM_CXSMICON, TaskbarDpi());
}

bool Win32NotifyIcon::Add(WindowHandle owner, std::uint32_t message, const IconPicture& picture,
                          std::u16string_view tip) noexcept {
    UniqueIcon icon = IconOfPicture(picture);
    if (!icon) {
        return false;
    }
    owner_ = ToHwnd(owner);
    NOTIFYICONDATAW data = Identity();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = message;
    data.hIcon = icon.Get();
    const std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::memcpy(data.szTip, tip.data(), length * sizeof(wchar_t));
    // A shell that kept the icon (it told of a restart it did not make) takes the new picture.
    if (!Notify(NIM_ADD, data) && !Notify(NIM_MODIFY, data)) {
        return false;
    }
    // Clicks come as NIN_SELECT and WM_CONTEXTMENU, with the keyboard's too.
    data.uVersion = NOTIFYICON_VERSION_4;
    Notify(NIM_SETVERSION, data);
    icon_ = std::move(icon);
    return true;
}

bool Win32NotifyIcon::Update(const IconPicture& picture) noexcept {
    UniqueIcon icon = IconOfPicture(picture);
    if (!icon || owner_ == nullptr) {
        return false;
    }
    NOTIFYICONDATAW data = Identity();
    data.uFlags = NIF_ICON;
    data.hIcon = icon.Get();
    if (!Notify(NIM_MODIFY, data)) {
        return false;
    }
    // The shell made its own copy: the one it showed before goes now.
    icon_ = std::move(icon);
    return true;
}

void Win32NotifyIcon::Remove() noexcept {
    if (owner_ == nullptr) {
        return;
    }
    NOTIFYICONDATAW data = Identity();
    Notify(NIM_DELETE, data);
    owner_ = nullptr;
    icon_.Reset();
}

int Win32NotifyIcon::ShowMenu(std::span<const MenuItem> items, ScreenPoint at) noexcept {
    if (owner_ == nullptr) {
        return -1;
    }
    const POINT place{at.x, at.y};
    const int chosen = ShowPopupMenu(owner_, items, programIcons_, &place);
    if (chosen < 0) {
        // Left with Escape: the keyboard goes back to the notification area.
        NOTIFYICONDATAW data = Identity();
        Notify(NIM_SETFOCUS, data);
    }
    return chosen;
}

}  // namespace ombrel::win32
