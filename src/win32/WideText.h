#pragma once

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Utf8.h"

namespace ombrel::win32 {

// The core's UTF-16 text and Windows' wide strings hold the same code units; only the
// character type differs.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

inline std::wstring ToWide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

inline std::u16string FromWide(std::wstring_view text) {
    return {text.begin(), text.end()};
}

// UTF-8 bytes, for files and pipes, whatever the system's code page.
inline std::string ToUtf8(std::wstring_view text) {
    return ombrel::ToUtf8(FromWide(text));
}
// Wide text of UTF-8 bytes; none when they are not well-formed UTF-8.
inline std::optional<std::wstring> FromUtf8(std::string_view bytes) {
    const std::optional<std::u16string> text = ombrel::FromUtf8(bytes);
    return text ? std::optional<std::wstring>(ToWide(*text)) : std::nullopt;
}

// The decimal digits of a number, at least `width` of them. std::to_wstring and swprintf would
// bring the C runtime's wide formatter into the image for this.
inline std::wstring DecimalWide(unsigned long long value, int width = 1) {
    std::array<char, 24> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    const auto length = static_cast<int>(end - digits.data());
    std::wstring text(static_cast<std::size_t>(width > length ? width - length : 0), L'0');
    text.append(digits.data(), end);
    return text;
}

}  // namespace ombrel::win32
