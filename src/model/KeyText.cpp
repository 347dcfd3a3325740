#include "model/KeyText.h"

#include <array>

#include "platform/Hotkeys.h"
#include "platform/Text.h"

namespace ombrel {
namespace {

struct NamedKey {
    std::u16string_view name;
    std::uint32_t value;
};

constexpr std::array<NamedKey, 4> kModifiers{{
    {u"Ctrl", ModControl},
    {u"Alt", ModAlt},
    {u"Shift", ModShift},
    {u"Win", ModWin},
}};

constexpr std::array<NamedKey, 15> kNamedKeys{{
    {u"Left", 0x25},
    {u"Right", 0x27},
    {u"Up", 0x26},
    {u"Down", 0x28},
    {u"Home", 0x24},
    {u"End", 0x23},
    {u"PageUp", 0x21},
    {u"PageDown", 0x22},
    {u"Insert", 0x2D},
    {u"Delete", 0x2E},
    {u"Space", 0x20},
    {u"Tab", 0x09},
    {u"Enter", 0x0D},
    {u"Escape", 0x1B},
    {u"Backspace", 0x08},
}};

constexpr std::uint32_t kVkF1 = 0x70;
constexpr std::uint32_t kVkF13 = 0x7C;
constexpr std::uint32_t kVkF24 = 0x87;
constexpr std::uint32_t kVkA = 0x41;
constexpr std::uint32_t kVk0 = 0x30;
constexpr std::uint32_t kVkNumPad0 = 0x60;

std::optional<int> Digit(char16_t c) {
    if (c < u'0' || c > u'9') {
        return std::nullopt;
    }
    return c - u'0';
}

std::optional<std::uint32_t> VirtualKey(std::u16string_view word) {
    for (const NamedKey& key : kNamedKeys) {
        if (SameIgnoringCase(word, key.name)) {
            return key.value;
        }
    }
    if (word.size() == 1) {
        const char16_t c = FoldCase(word[0]);
        if (c >= u'a' && c <= u'z') {
            return kVkA + static_cast<std::uint32_t>(c - u'a');
        }
        if (const std::optional<int> digit = Digit(c)) {
            return kVk0 + static_cast<std::uint32_t>(*digit);
        }
        return std::nullopt;
    }
    constexpr std::u16string_view kNumPad = u"NumPad";
    if (word.size() == kNumPad.size() + 1 &&
        SameIgnoringCase(word.substr(0, kNumPad.size()), kNumPad)) {
        if (const std::optional<int> digit = Digit(word.back())) {
            return kVkNumPad0 + static_cast<std::uint32_t>(*digit);
        }
        return std::nullopt;
    }
    // F1 to F24, without a leading zero.
    if (FoldCase(word[0]) != u'f' || word.size() > 3 || word[1] == u'0') {
        return std::nullopt;
    }
    int number = 0;
    for (char16_t c : word.substr(1)) {
        const std::optional<int> digit = Digit(c);
        if (!digit) {
            return std::nullopt;
        }
        number = number * 10 + *digit;
    }
    if (number < 1 || number > 24) {
        return std::nullopt;
    }
    return kVkF1 + static_cast<std::uint32_t>(number - 1);
}

std::u16string VirtualKeyName(std::uint32_t key) {
    if (key >= kVkF1 && key <= kVkF24) {
        return u"F" + DecimalText(key - kVkF1 + 1);
    }
    if (key >= kVkA && key < kVkA + 26) {
        return std::u16string(1, static_cast<char16_t>(u'A' + (key - kVkA)));
    }
    if (key >= kVk0 && key < kVk0 + 10) {
        return std::u16string(1, static_cast<char16_t>(u'0' + (key - kVk0)));
    }
    if (key >= kVkNumPad0 && key < kVkNumPad0 + 10) {
        return u"NumPad" + DecimalText(key - kVkNumPad0);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (named.value == key) {
            return std::u16string(named.name);
        }
    }
    return HexText(key);
}

}  // namespace

std::optional<KeyCombination> ParseKeyText(std::u16string_view text) {
    KeyCombination key;
    for (;;) {
        const std::size_t plus = text.find(u'+');
        if (plus == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view word = text.substr(0, plus);
        text.remove_prefix(plus + 1);
        const NamedKey* modifier = nullptr;
        for (const NamedKey& candidate : kModifiers) {
            if (SameIgnoringCase(word, candidate.name)) {
                modifier = &candidate;
            }
        }
        if (modifier == nullptr || (key.modifiers & modifier->value) != 0) {
            return std::nullopt;
        }
        key.modifiers |= modifier->value;
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> virtualKey = VirtualKey(text);
    if (!virtualKey) {
        return std::nullopt;
    }
    // A key without a modifier would be taken from every program; F13 to F24 are on no
    // ordinary keyboard, so they are free for this.
    if (key.modifiers == 0 && (*virtualKey < kVkF13 || *virtualKey > kVkF24)) {
        return std::nullopt;
    }
    key.virtualKey = *virtualKey;
    return key;
}

std::u16string KeyCombinationName(KeyCombination key) {
    std::u16string name;
    for (const NamedKey& modifier : kModifiers) {
        if ((key.modifiers & modifier.value) != 0) {
            name += modifier.name;
            name += u'+';
        }
    }
    return name + VirtualKeyName(key.virtualKey);
}

}  // namespace ombrel
