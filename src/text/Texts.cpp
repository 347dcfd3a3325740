#include "text/Texts.h"

#include <cstddef>

namespace ombrel {
namespace {

std::u16string_view FoundIn(std::span<const TextEntry> table, TextId id) {
    const auto index = static_cast<std::size_t>(id);
    // The tables are in the order of TextId; a shorter one, or one with a gap, is searched.
    if (index < table.size() && table[index].id == id) {
        return table[index].text;
    }
    for (const TextEntry& entry : table) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return {};
}

}  // namespace

std::u16string_view Texts::Text(TextId id) const {
    if (InForce() == Language::English) {
        if (const std::u16string_view english = FoundIn(EnglishTexts(), id); !english.empty()) {
            return english;
        }
    }
    return FoundIn(ChineseTexts(), id);
}

std::u16string Texts::Format(TextId id, std::span<const std::u16string_view> arguments) const {
    const std::u16string_view text = Text(id);
    std::u16string result;
    result.reserve(text.size() + 16 * arguments.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'{' && i + 2 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9' &&
            text[i + 2] == u'}') {
            const auto which = static_cast<std::size_t>(text[i + 1] - u'1');
            if (which < arguments.size()) {
                result += arguments[which];
                i += 2;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

}  // namespace ombrel
