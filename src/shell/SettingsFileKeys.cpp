#include "shell/SettingsFileKeys.h"

#include <algorithm>

#include "model/CommandWords.h"

namespace ombrel {

std::variant<KeyBindings, SettingsFileError> MergeKeys(std::span<const KeyEntry> entries) {
    KeyBindings keys = DescribedKeyBindings();
    for (const KeyEntry& entry : entries) {
        const auto same = std::find_if(keys.begin(), keys.end(), [&entry](const KeyBinding& key) {
            return key.modifiers == entry.key.modifiers && key.virtualKey == entry.key.virtualKey;
        });
        if (!entry.command) {
            if (same != keys.end()) {
                keys.erase(same);  // given back to every program
            }
            continue;
        }
        const std::optional<Command> command = ParseCommandText(*entry.command);
        if (!command) {
            return SettingsFileError{entry.at, u"不认识的命令“" + *entry.command + u"”"};
        }
        if (same != keys.end()) {
            same->command = *command;
        } else {
            keys.push_back({entry.key.modifiers, entry.key.virtualKey, *command,
                            KeyCombinationName(entry.key)});
        }
    }
    return keys;
}

std::vector<KeyCommandText> DescribedKeyTexts() {
    std::vector<KeyCommandText> texts;
    for (const KeyBinding& key : DescribedKeyBindings()) {
        std::u16string name = key.name;
        std::transform(name.begin(), name.end(), name.begin(), [](char16_t letter) {
            return letter >= u'A' && letter <= u'Z' ? static_cast<char16_t>(letter - u'A' + u'a')
                                                    : letter;
        });
        texts.emplace_back(std::move(name), CommandText(key.command));
    }
    return texts;
}

}  // namespace ombrel
