#pragma once

#include <span>
#include <variant>

#include "engine/HotkeyTable.h"
#include "settings/SettingsFile.h"

namespace ombrel {

// The keys in force: the file's entries over the 21 described ones. An entry replaces the
// command of its key, frees the key (null) or adds one; a command the engine does not know is
// the file's error, at the entry.
std::variant<KeyBindings, SettingsFileError> MergeKeys(std::span<const KeyEntry> entries);

// The described keys as the template writes them: "ctrl+f1": "switch 1" and so on.
std::vector<KeyCommandText> DescribedKeyTexts();

}  // namespace ombrel
