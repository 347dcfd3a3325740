#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/Texts.h"

namespace ombrel {

// A key text and its command, as the template writes them.
using KeyCommandText = std::pair<std::u16string, std::u16string>;

// The described keys as the template writes them: "ctrl+f1": "switch 1" and so on.
std::vector<KeyCommandText> DescribedKeyTexts();

// A new settings.json (UTF-8, CRLF lines): every entry with its value and a comment on it in the
// language in force, "keys" holding the given key texts and commands in their order.
std::string SettingsFileTemplate(const Texts& texts, std::span<const KeyCommandText> keys);

// The JSON Schema (draft-07, UTF-8) that editors check settings.json against, its descriptions
// in the language given; the template names it "./settings.schema.json".
std::string_view SettingsFileSchema(Language language);

}  // namespace ombrel
