#pragma once

#include <string>

namespace ombrel {

// Decimal digits of a whole number as UTF-16 text, the way the core keeps numbers in text.
inline std::u16string DecimalText(long long value) {
    const std::string narrow = std::to_string(value);
    return {narrow.begin(), narrow.end()};
}

}  // namespace ombrel
