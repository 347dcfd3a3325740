#include "win32/UiFonts.h"

#include <array>
#include <string>

namespace ombrel::win32 {
namespace {

bool FontExists(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(wanted.lfFaceName, face, _TRUNCATE);
    bool found = false;
    const HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

// A face that has the Chinese captions, in the order a user's system is likely to have them.
std::wstring TextFace() {
    // SimSun first: the layouts were drawn for its compact lines.
    constexpr std::array kFaces{L"SimSun",         L"Microsoft YaHei UI",      L"Microsoft YaHei",
                                L"AR PL UMing CN", L"WenQuanYi Zen Hei Sharp", L"Noto Sans CJK SC"};
    for (const wchar_t* face : kFaces) {
        if (FontExists(face)) {
            return face;
        }
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

// Height in pixels for a size in hundredths of a point.
int PixelHeight(int centiPoints, UINT dpi) {
    return -::MulDiv(centiPoints, static_cast<int>(dpi), 7200);
}

HFONT MakeFont(const std::wstring& face, int centiPoints, UINT dpi, BYTE charset,
               int weight = FW_NORMAL) {
    return ::CreateFontW(PixelHeight(centiPoints, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                         charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

const std::wstring& TextFaceOnce() {
    static const std::wstring face = TextFace();
    return face;
}

// English in the face the system shows its own English in.
const std::wstring& LatinFaceOnce() {
    static const std::wstring face = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return std::wstring(metrics.lfMessageFont.lfFaceName);
    }();
    return face;
}

constexpr int kTextCentiPoints = 900;
constexpr int kSmallestTextCentiPoints = 650;

// The height of the text wrapped at width pixels, as an edit control wraps it.
int WrappedHeight(HFONT font, std::wstring_view text, int width) {
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, font);
    RECT area{0, 0, width, 0};
    ::DrawTextW(screen, text.data(), static_cast<int>(text.size()), &area,
                DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return area.bottom - area.top;
}

int LineHeight(HFONT font) {
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen, &metrics);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

}  // namespace

UiFonts::UiFonts(UINT dpi, Language language)
    : dpi_(dpi),
      language_(language),
      face_(language == Language::English ? LatinFaceOnce() : TextFaceOnce()) {
    const std::wstring& textFace = face_;
    static const bool hasSansSerif = FontExists(L"MS Sans Serif");
    text_.Reset(MakeFont(textFace, kTextCentiPoints, dpi, DEFAULT_CHARSET));
    desktopButtons_.Reset(hasSansSerif ? MakeFont(L"MS Sans Serif", 825, dpi, ANSI_CHARSET)
                                       : MakeFont(TextFaceOnce(), 825, dpi, DEFAULT_CHARSET));
    desktopButtonsBold_.Reset(hasSansSerif
                                  ? MakeFont(L"MS Sans Serif", 825, dpi, ANSI_CHARSET, FW_BOLD)
                                  : MakeFont(TextFaceOnce(), 825, dpi, DEFAULT_CHARSET, FW_BOLD));
}

HFONT UiFonts::For(ControlFont font, bool bold) const {
    // Only the desktop buttons are ever drawn bold (a desktop that holds windows).
    if (font == ControlFont::MsSansSerif8) {
        return bold ? desktopButtonsBold_.Get() : desktopButtons_.Get();
    }
    return text_.Get();
}

UniqueFont UiFonts::TextFittingLines(int lineCount, int pixels) const {
    for (int size = kTextCentiPoints; size > kSmallestTextCentiPoints; size -= 25) {
        UniqueFont font(MakeFont(face_, size, dpi_, DEFAULT_CHARSET));
        if (LineHeight(font.Get()) * lineCount <= pixels) {
            return font;
        }
    }
    return UniqueFont(MakeFont(face_, kSmallestTextCentiPoints, dpi_, DEFAULT_CHARSET));
}

UniqueFont UiFonts::TextFittingWrapped(std::wstring_view text, int width, int height) const {
    for (int size = kTextCentiPoints; size > kSmallestTextCentiPoints; size -= 25) {
        UniqueFont font(MakeFont(face_, size, dpi_, DEFAULT_CHARSET));
        if (WrappedHeight(font.Get(), text, width) <= height) {
            return font;
        }
    }
    return UniqueFont(MakeFont(face_, kSmallestTextCentiPoints, dpi_, DEFAULT_CHARSET));
}

}  // namespace ombrel::win32
