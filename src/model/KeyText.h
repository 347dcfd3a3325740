#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// A key as RegisterHotKey takes it: the HotkeyModifier flags and a virtual-key code.
struct KeyCombination {
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;
    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

// "ctrl+alt+f1", "Win+Shift+Left", "f13": modifiers (ctrl, alt, shift, win, each at most once)
// joined by "+" before one key, in any case; at least one modifier unless the key is F13 to
// F24. None for any other text.
std::optional<KeyCombination> ParseKeyText(std::u16string_view text);
// "Ctrl+Alt+F4", "Shift+Win+Left", "Ctrl+NumPad3": the combination as the user reads it, the
// modifiers in the order Ctrl, Alt, Shift, Win.
std::u16string KeyCombinationName(KeyCombination key);

}  // namespace ombrel
