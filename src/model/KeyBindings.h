#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Command.h"
#include "platform/Hotkeys.h"

namespace ombrel {

inline constexpr std::uint32_t kVkF1 = 0x70;

struct HotkeyRow {
    int id;
    std::uint32_t modifiers;
    std::uint32_t virtualKey;
};

inline constexpr int kHotkeyCount = 21;

// Ids 0..11: Ctrl+F1..F12; ids 12..20: Ctrl+Alt+F1..F9. The id is the command code.
constexpr std::array<HotkeyRow, kHotkeyCount> MakeHotkeyTable() {
    std::array<HotkeyRow, kHotkeyCount> table{};
    for (int id = 0; id < kHotkeyCount; ++id) {
        const bool send = id >= kFirstSendCode;
        table[static_cast<std::size_t>(id)] = {
            id, send ? (ModControl | ModAlt) : std::uint32_t{ModControl},
            kVkF1 + static_cast<std::uint32_t>(send ? id - kFirstSendCode : id)};
    }
    return table;
}

inline constexpr std::array<HotkeyRow, kHotkeyCount> kHotkeyTable = MakeHotkeyTable();

// "Ctrl+F4", "Ctrl+Alt+F9": the combination as the user presses it.
std::u16string HotkeyName(const HotkeyRow& row);

// A key combination and the command it runs, with its name as the user reads it ("Ctrl+F4").
struct KeyBinding {
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;
    Command command{Command::Kind::ToggleBar};
    std::u16string name;
    friend bool operator==(const KeyBinding&, const KeyBinding&) = default;
};
// The keys in force: each binding's place in the list is its hotkey id.
using KeyBindings = std::vector<KeyBinding>;
// The 21 keys of the table above, in its order, so that each id is the command code.
KeyBindings DescribedKeyBindings();

}  // namespace ombrel
