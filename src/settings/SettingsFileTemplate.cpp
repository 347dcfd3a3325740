#include "settings/SettingsFileTemplate.h"

#include "SettingsSchema.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "model/CommandWords.h"
#include "model/KeyBindings.h"
#include "platform/Utf8.h"
#include "text/Texts.h"

namespace ombrel {

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

std::string SettingsFileTemplate(const Texts& texts, std::span<const KeyCommandText> keys) {
    std::string text = ToUtf8(texts.Text(TextId::SettingsTemplateBeforeKeys));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // The library writes the JSON strings, escapes and all.
        text += i == 0 ? "\r\n    " : ",\r\n    ";
        text += nlohmann::json(ToUtf8(keys[i].first)).dump() + ": " +
                nlohmann::json(ToUtf8(keys[i].second)).dump();
    }
    text += ToUtf8(texts.Text(TextId::SettingsTemplateAfterKeys));
    return text;
}

std::string_view SettingsFileSchema(Language language) {
    // The files themselves ship in the release beside the program; the build puts their text here.
    return language == Language::English ? kEnglishSettingsSchemaText : kSettingsSchemaText;
}

}  // namespace ombrel
