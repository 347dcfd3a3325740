#include "text/Texts.h"

#include <cstddef>

namespace ombrel {

std::u16string_view Text(TextId id) {
    const std::span<const TextEntry> table = ChineseTexts();
    const auto index = static_cast<std::size_t>(id);
    return index < table.size() ? table[index].text : std::u16string_view{};
}

std::u16string FormatText(TextId id, std::span<const std::u16string_view> arguments) {
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
