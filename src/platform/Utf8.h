#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// A lone surrogate becomes U+FFFD, so the result is always well-formed.
inline std::string ToUtf8(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (point >= 0xD800 && point < 0xE000) {
            point = 0xFFFD;
        }
        if (point < 0x80) {
            result += static_cast<char>(point);
        } else if (point < 0x800) {
            result += static_cast<char>(0xC0 | (point >> 6));
            result += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            result += static_cast<char>(0xE0 | (point >> 12));
            result += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (point >> 18));
            result += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return result;
}

// None unless the bytes are well-formed UTF-8: no overlong form, no surrogate, nothing beyond
// U+10FFFF, no sequence cut short.
inline std::optional<std::u16string> FromUtf8(std::string_view bytes) {
    std::u16string result;
    result.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || bytes.size() - i < length) {
            return std::nullopt;
        }
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            point = (point << 6) | (next & 0x3F);
        }
        const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if ((length > 1 && point < least) || (point >= 0xD800 && point < 0xE000) ||
            point > 0x10FFFF) {
            return std::nullopt;
        }
        i += length;
        if (point >= 0x10000) {
            point -= 0x10000;
            result += static_cast<char16_t>(0xD800 + (point >> 10));
            result += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            result += static_cast<char16_t>(point);
        }
    }
    return result;
}

// Characters as the user counts them: a surrogate pair is one.
inline std::size_t CodePoints(std::u16string_view text) {
    std::size_t count = 0;
    for (char16_t c : text) {
        count += c >= 0xDC00 && c < 0xE000 ? 0 : 1;
    }
    return count;
}

}  // namespace ombrel
