#pragma once

#include <string>
#include <string_view>

namespace ombrel {

// Decimal digits of a whole number as UTF-16 text, the way the core keeps numbers in text.
inline std::u16string DecimalText(long long value) {
    const std::string narrow = std::to_string(value);
    return {narrow.begin(), narrow.end()};
}

// "0x1A2B": a handle or an address as a debugger shows it.
inline std::u16string HexText(unsigned long long value) {
    constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return u"0x" + digits;
}

}  // namespace ombrel
