#include "model/KeyBindings.h"

#include "model/KeyText.h"

namespace ombrel {

std::u16string HotkeyName(const HotkeyRow& row) {
    return KeyCombinationName({row.modifiers, row.virtualKey});
}

KeyBindings DescribedKeyBindings() {
    KeyBindings keys;
    for (const HotkeyRow& row : kHotkeyTable) {
        keys.push_back({row.modifiers, row.virtualKey, *CommandFromCode(row.id), HotkeyName(row)});
    }
    return keys;
}

}  // namespace ombrel
