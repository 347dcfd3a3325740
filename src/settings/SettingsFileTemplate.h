#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ombrel {

// A key text and its command, as the template writes them.
using KeyCommandText = std::pair<std::u16string, std::u16string>;

// The described keys as the template writes them: "ctrl+f1": "switch 1" and so on.
std::vector<KeyCommandText> DescribedKeyTexts();

// A new settings.json (UTF-8, CRLF lines): every entry with its value and a comment on it in
// Chinese, "keys" holding the given key texts and commands in their order.
std::string SettingsFileTemplate(std::span<const KeyCommandText> keys);

// The JSON Schema (draft-07, UTF-8) that editors check settings.json against; the template
// names it "./settings.schema.json".
std::string_view SettingsFileSchema();

}  // namespace ombrel
