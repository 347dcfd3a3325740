#include "win32/WindowIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "win32/ProcessImage.h"

namespace ombrel::win32 {
namespace {

// The class's icon is the class's own: drawn, never destroyed.
HICON ClassIcon(HWND window, int size) noexcept {
    const int small = ::GetSystemMetrics(SM_CXSMICON);
    const int first = size <= small ? GCLP_HICONSM : GCLP_HICON;
    const int second = size <= small ? GCLP_HICON : GCLP_HICONSM;
    if (const auto icon = reinterpret_cast<HICON>(::GetClassLongPtrW(window, first))) {
        return icon;
    }
    return reinterpret_cast<HICON>(::GetClassLongPtrW(window, second));
}

struct Dib {
    UniqueBitmap bitmap;
    std::uint32_t* pixels = nullptr;
};

Dib CreateDib(HDC dc, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Dib dib;
    dib.bitmap.Reset(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dib.pixels = static_cast<std::uint32_t*>(bits);
    return dib;
}

// Draws the icon into a fresh DIB. An icon with an alpha channel comes out premultiplied, as the
// system blends it; one without gets its alpha from its mask.
UniqueBitmap IconToBitmap(HICON icon, int size) {
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        return {};
    }
    Dib image = CreateDib(dc.Get(), size);
    if (!image.bitmap || image.pixels == nullptr) {
        return {};
    }
    const std::span pixels(image.pixels, static_cast<std::size_t>(size) * size);
    {
        const ScopedSelection selected(dc.Get(), image.bitmap.Get());
        if (::DrawIconEx(dc.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL) == FALSE) {
            return {};
        }
    }
    ::GdiFlush();
    constexpr std::uint32_t kAlpha = 0xFF000000;
    bool hasAlpha = false;
    for (std::uint32_t pixel : pixels) {
        hasAlpha = hasAlpha || (pixel & kAlpha) != 0;
    }
    if (hasAlpha) {
        return std::move(image.bitmap);
    }
    Dib mask = CreateDib(dc.Get(), size);
    if (!mask.bitmap || mask.pixels == nullptr) {
        return {};
    }
    // White first: whether the mask is copied or combined, it comes out as it is.
    std::fill_n(mask.pixels, pixels.size(), 0x00FFFFFFU);
    {
        const ScopedSelection selected(dc.Get(), mask.bitmap.Get());
        ::DrawIconEx(dc.Get(), 0, 0, icon, size, size, 0, nullptr, DI_MASK);
    }
    ::GdiFlush();
    // Black in the mask is the icon, white lets the background through.
    for (std::size_t at = 0; at < pixels.size(); ++at) {
        const bool opaque = (mask.pixels[at] & 0x00FFFFFF) == 0;
        pixels[at] = opaque ? (pixels[at] | kAlpha) : 0;
    }
    return std::move(image.bitmap);
}

}  // namespace

HICON ProgramIcons::Of(const std::wstring& path, bool small) {
    auto found = read_.find(path);
    if (found == read_.end()) {
        HICON large = nullptr;
        HICON smallIcon = nullptr;
        const auto extract = shell_.Function<decltype(::ExtractIconExW)>("ExtractIconExW");
        if (extract == nullptr || extract(path.c_str(), 0, &large, &smallIcon, 1) == 0) {
            large = smallIcon = nullptr;  // kept as none: the file is not read again
        }
        found = read_.emplace(path, Icons{UniqueIcon(large), UniqueIcon(smallIcon)}).first;
    }
    const Icons& icons = found->second;
    const UniqueIcon& preferred = small ? icons.small : icons.large;
    return preferred ? preferred.Get() : (small ? icons.large : icons.small).Get();
}

UniqueBitmap WindowIconBitmap(HWND window, int size, ProgramIcons& programs) noexcept {
    try {
        if (size <= 0) {
            return {};
        }
        if (const HICON icon = ClassIcon(window, size)) {
            return IconToBitmap(icon, size);
        }
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        const std::wstring path = ImagePathOf(processId);
        const HICON fromFile =
            path.empty() ? nullptr : programs.Of(path, size <= ::GetSystemMetrics(SM_CXSMICON));
        return fromFile != nullptr ? IconToBitmap(fromFile, size) : UniqueBitmap{};
    } catch (...) {
        return {};  // the item goes without its icon
    }
}

}  // namespace ombrel::win32
