#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace ombrel {

// Decimal digits of a whole number as UTF-16 text, the way the core keeps numbers in text.
inline std::u16string DecimalText(long long value) {
    const std::string narrow = std::to_string(value);
    return {narrow.begin(), narrow.end()};
}

// The letters whose case Windows ignores in the names users meet most: ASCII, Latin-1, Greek
// and Cyrillic, each as its small letter. Scripts without case (Chinese) stay as they are.
inline char16_t FoldCase(char16_t c) {
    const auto shifted = [c](int by) { return static_cast<char16_t>(c + by); };
    if ((c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7') ||
        (c >= u'\u0391' && c <= u'\u03A9' && c != u'\u03A2') ||
        (c >= u'\u0410' && c <= u'\u042F')) {
        return shifted(0x20);
    }
    if (c >= u'\u0400' && c <= u'\u040F') {
        return shifted(0x50);
    }
    return c;
}

// The text with every letter as FoldCase folds it: for comparing without case many times.
inline std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

// Whether the two texts are the same but for the case of their letters (as FoldCase knows it).
inline bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
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

// The text with each control character (C0, DEL, C1) replaced by U+FFFD, for text that goes to
// a terminal in columns: another program's title can neither forge a row nor send the
// terminal an escape sequence.
inline std::u16string PrintableText(std::u16string_view text) {
    std::u16string printable(text);
    for (char16_t& unit : printable) {
        if (unit < u'\x20' || (unit >= u'\x7F' && unit <= u'\x9F')) {
            unit = u'\xFFFD';
        }
    }
    return printable;
}

}  // namespace ombrel
