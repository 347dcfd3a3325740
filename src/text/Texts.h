#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "text/TextId.h"

namespace ombrel {

struct TextEntry {
    TextId id;
    std::u16string_view text;
};

// The Chinese table: every id, in the order of TextId.
std::span<const TextEntry> ChineseTexts();

// The text of the id.
std::u16string_view Text(TextId id);
// The text with {1}, {2}... replaced by the arguments in their order; a mark without an argument
// stays as it is.
std::u16string FormatText(TextId id, std::span<const std::u16string_view> arguments);
inline std::u16string FormatText(TextId id, std::initializer_list<std::u16string_view> arguments) {
    return FormatText(id,
                      std::span<const std::u16string_view>(arguments.begin(), arguments.size()));
}

}  // namespace ombrel
