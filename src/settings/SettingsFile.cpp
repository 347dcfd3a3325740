#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <optional>
#include <utility>

#include "model/CommandWords.h"
#include "model/KeyText.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "text/Texts.h"

namespace ombrel {
namespace {

// The root is depth 0; a rule's members are the deepest values any reader looks into, at 3.
constexpr std::size_t kKeptDepth = 3;

// The parser has already refused ill-formed UTF-8 in names and strings.
std::u16string Utf16(std::string_view utf8) {
    return FromUtf8(utf8).value_or(std::u16string());
}

SettingsFileError Fault(const SettingsFilePosition& at, TextId id,
                        std::initializer_list<std::u16string_view> arguments = {}) {
    return {at, id, std::vector<std::u16string>(arguments.begin(), arguments.end())};
}

// A member's command that no key may run is a fault of the file, but one reported only when
// nothing else in it is wrong: the readers keep the first one aside.
using CommandFault = std::optional<SettingsFileError>;

std::optional<SettingsFileError> ReadKeys(const JsonMember& member, KeyBindings& keys,
                                          CommandFault& commandFault) {
    if (!member.value.IsObject()) {
        return Fault(member.at, TextId::KeysNotObject);
    }
    std::map<std::pair<std::uint32_t, std::uint32_t>, SettingsFilePosition> seen;
    for (const JsonMember& entry : member.value.children) {
        const SettingsFilePosition at = entry.at;
        const std::u16string text = Utf16(entry.name);
        const std::optional<KeyCombination> key = ParseKeyText(text);
        if (!key) {
            return Fault(at, TextId::KeyTextUnknown, {text});
        }
        const auto [earlier, added] = seen.emplace(std::pair{key->modifiers, key->virtualKey}, at);
        if (!added) {
            return Fault(at, TextId::KeyGivenTwice,
                         {KeyCombinationName(*key), DecimalText(earlier->second.line)});
        }
        const auto same = std::find_if(keys.begin(), keys.end(), [&key](const KeyBinding& bound) {
            return bound.modifiers == key->modifiers && bound.virtualKey == key->virtualKey;
        });
        if (entry.value.kind == JsonValue::Kind::Null) {
            if (same != keys.end()) {
                keys.erase(same);  // given back to every program
            }
            continue;
        }
        if (!entry.value.IsString()) {
            return Fault(at, TextId::KeyCommandNotText, {text});
        }
        const std::u16string words = Utf16(entry.value.text);
        const std::optional<Command> command = ParseCommandText(words);
        if (!command) {
            if (!commandFault) {
                commandFault =
                    Fault(at, IsQueryText(words) ? TextId::CommandLineOnly : TextId::UnknownCommand,
                          {words});
            }
            continue;
        }
        if (same != keys.end()) {
            same->command = *command;
        } else {
            keys.push_back({key->modifiers, key->virtualKey, *command, KeyCombinationName(*key)});
        }
    }
    return std::nullopt;
}

std::optional<SettingsFileError> ReadNames(
    const JsonMember& member,
    std::array<std::u16string, SettingsFileContents::kDesktopCount>& names) {
    if (!member.value.IsObject()) {
        return Fault(member.at, TextId::NamesNotObject);
    }
    for (const JsonMember& entry : member.value.children) {
        const std::string& number = entry.name;
        const SettingsFilePosition at = entry.at;
        if (number.size() != 1 || number[0] < '1' || number[0] > '9') {
            return Fault(at, TextId::DesktopNumberInvalid, {Utf16(number)});
        }
        const std::u16string desktop = Utf16(number);
        if (!entry.value.IsString()) {
            return Fault(at, TextId::DesktopNameNotText, {desktop});
        }
        std::u16string text = Utf16(entry.value.text);
        if (CodePoints(text) > SettingsFileContents::kNameMaxLength) {
            return Fault(at, TextId::DesktopNameTooLong,
                         {desktop, DecimalText(SettingsFileContents::kNameMaxLength)});
        }
        names[static_cast<std::size_t>(number[0] - '1')] = std::move(text);
    }
    return std::nullopt;
}

std::optional<SettingsFileError> ReadSwitch(const JsonMember& member, std::u16string_view name,
                                            bool& result) {
    if (!member.value.IsBoolean()) {
        return Fault(member.at, TextId::SettingsSwitchNotBoolean, {name});
    }
    result = member.value.boolean;
    return std::nullopt;
}

// One of the words of the table; the key's position is where a fault is reported.
template <typename Value, std::size_t Count>
std::optional<SettingsFileError> ReadWord(
    const JsonMember& member, const std::array<std::pair<std::string_view, Value>, Count>& words,
    TextId fault, Value& result) {
    if (member.value.IsString()) {
        for (const auto& [word, value] : words) {
            if (member.value.text == word) {
                result = value;
                return std::nullopt;
            }
        }
    }
    return Fault(member.at, fault);
}

// "join", "follow", "mark" or "smart".
std::optional<SettingsFileError> ReadOnActivate(const JsonMember& member, OnActivate& result) {
    static constexpr std::array<std::pair<std::string_view, OnActivate>, 4> kNames{{
        {"join", OnActivate::Join},
        {"follow", OnActivate::Follow},
        {"mark", OnActivate::Mark},
        {"smart", OnActivate::Smart},
    }};
    return ReadWord(member, kNames, TextId::OnActivateInvalid, result);
}

// A pattern of a rule, or its action; the key's position is where a fault is reported.
std::optional<SettingsFileError> ReadRuleMember(const JsonMember& member,
                                                std::optional<SettingsFilePosition>& actionAt,
                                                WindowRule& rule) {
    const std::string& name = member.name;
    const JsonValue& value = member.value;
    const SettingsFilePosition& at = member.at;
    const std::u16string written = Utf16(name);
    std::optional<std::u16string>* pattern = name == "exe"     ? &rule.exe
                                             : name == "class" ? &rule.className
                                             : name == "title" ? &rule.title
                                                               : nullptr;
    if (pattern != nullptr) {
        if (!value.IsString()) {
            return Fault(at, TextId::RulePatternNotText, {written});
        }
        *pattern = Utf16(value.text);
        if (CodePoints(**pattern) > SettingsFileContents::kPatternMaxLength) {
            return Fault(at, TextId::RulePatternTooLong,
                         {written, DecimalText(SettingsFileContents::kPatternMaxLength)});
        }
        return std::nullopt;
    }
    if (name == "onActivate") {
        OnActivate onActivate{};
        if (std::optional<SettingsFileError> error = ReadOnActivate(member, onActivate)) {
            return error;
        }
        rule.onActivate = onActivate;
        return std::nullopt;
    }
    if (name != "desktop" && name != "pin" && name != "ignore") {
        return Fault(at, TextId::RuleMemberUnknown, {written});
    }
    if (actionAt) {
        return Fault(at, TextId::RuleActionTwice, {DecimalText(actionAt->line)});
    }
    actionAt = at;
    if (name == "desktop") {
        if (value.kind != JsonValue::Kind::Integer || value.integer < 1 ||
            value.integer > SettingsFileContents::kDesktopCount) {
            return Fault(at, TextId::RuleDesktopInvalid);
        }
        rule.placement = {WindowPlacement::Kind::Desktop, static_cast<int>(value.integer) - 1};
        return std::nullopt;
    }
    // "pin": false would be a rule that does nothing: surely not what was meant.
    if (!value.IsBoolean() || !value.boolean) {
        return Fault(at, TextId::RuleFlagNotTrue, {written});
    }
    rule.placement = {name == "pin" ? WindowPlacement::Kind::Pin : WindowPlacement::Kind::Ignore,
                      0};
    return std::nullopt;
}

std::optional<SettingsFileError> ReadLanguage(const JsonMember& member, LanguageChoice& language) {
    static constexpr std::array<std::pair<std::string_view, LanguageChoice>, 3> kChoices{{
        {"zh-CN", LanguageChoice::Chinese},
        {"en-US", LanguageChoice::English},
        {"auto", LanguageChoice::Auto},
    }};
    return ReadWord(member, kChoices, TextId::LanguageInvalid, language);
}

std::optional<SettingsFileError> ReadRules(const JsonMember& member, WindowRules& rules) {
    if (!member.value.IsArray()) {
        return Fault(member.at, TextId::RulesNotArray);
    }
    for (const JsonMember& element : member.value.children) {
        const JsonValue& object = element.value;
        if (!object.IsObject()) {
            return Fault(object.at, TextId::RuleNotObject);
        }
        WindowRule rule;
        std::optional<SettingsFilePosition> actionAt;
        for (const JsonMember& part : object.children) {
            if (std::optional<SettingsFileError> error = ReadRuleMember(part, actionAt, rule)) {
                return error;
            }
        }
        if (!rule.exe && !rule.className && !rule.title) {
            return Fault(object.at, TextId::RuleWithoutPattern);
        }
        if (!actionAt && !rule.onActivate) {
            return Fault(object.at, TextId::RuleWithoutAction);
        }
        rules.push_back(std::move(rule));
    }
    return std::nullopt;
}

std::optional<SettingsFileError> ReadMember(const JsonMember& member,
                                            SettingsFileContents& contents,
                                            CommandFault& commandFault) {
    const std::string& name = member.name;
    if (name == "keys") {
        return ReadKeys(member, contents.keys, commandFault);
    }
    if (name == "names") {
        return ReadNames(member, contents.names);
    }
    if (name == "wrap") {
        return ReadSwitch(member, u"wrap", contents.wrap);
    }
    if (name == "pauseInFullScreen") {
        return ReadSwitch(member, u"pauseInFullScreen", contents.pauseInFullScreen);
    }
    if (name == "remember") {
        return ReadSwitch(member, u"remember", contents.remember);
    }
    if (name == "trayIcon") {
        return ReadSwitch(member, u"trayIcon", contents.trayIcon);
    }
    if (name == "rules") {
        return ReadRules(member, contents.rules);
    }
    if (name == "onActivate") {
        return ReadOnActivate(member, contents.onActivate);
    }
    if (name == "language") {
        return ReadLanguage(member, contents.language);
    }
    if (name == "$schema") {
        if (!member.value.IsString()) {
            return Fault(member.at, TextId::SettingsSchemaNotText);
        }
        return std::nullopt;
    }
    return Fault(member.at, TextId::SettingsUnknownMember, {Utf16(name)});
}

}  // namespace

std::variant<SettingsFileContents, SettingsFileError> ParseSettingsFile(std::string_view utf8) {
    if (utf8.starts_with("\xEF\xBB\xBF")) {
        utf8.remove_prefix(3);
    }
    std::variant<JsonValue, SettingsFileError> parsed = ParsePositionedJson(utf8, kKeptDepth);
    if (SettingsFileError* error = std::get_if<SettingsFileError>(&parsed)) {
        return std::move(*error);
    }
    const JsonValue& root = std::get<JsonValue>(parsed);
    if (!root.IsObject()) {
        return Fault(root.at, TextId::SettingsRootNotObject);
    }
    SettingsFileContents contents;
    CommandFault commandFault;
    for (const JsonMember& member : root.children) {
        if (std::optional<SettingsFileError> error = ReadMember(member, contents, commandFault)) {
            return *std::move(error);
        }
    }
    if (commandFault) {
        return *std::move(commandFault);
    }
    return contents;
}

Language LanguageOf(LanguageChoice choice, std::u16string_view displayLanguage) {
    switch (choice) {
        case LanguageChoice::Chinese:
            return Language::Chinese;
        case LanguageChoice::English:
            return Language::English;
        case LanguageChoice::Auto:
            break;
    }
    // "zh", "zh-CN", "zh-TW", "zh-Hans-SG"...: the tables have one Chinese.
    return displayLanguage == u"zh" || displayLanguage.starts_with(u"zh-") ? Language::Chinese
                                                                           : Language::English;
}

Language LanguageOfSettingsFile(std::string_view utf8, std::u16string_view displayLanguage) {
    const std::variant<SettingsFileContents, SettingsFileError> parsed = ParseSettingsFile(utf8);
    const auto* contents = std::get_if<SettingsFileContents>(&parsed);
    return LanguageOf(contents != nullptr ? contents->language : LanguageChoice::Chinese,
                      displayLanguage);
}

Language LanguageOfUsersSettingsFile(UserFiles& files, std::u16string_view displayLanguage) {
    const FileRead read = files.ReadFile(files.SettingsFilePath(), SettingsFileContents::kMaxBytes);
    return read.outcome == FileRead::Outcome::Read
               ? LanguageOfSettingsFile(read.bytes, displayLanguage)
               : Language::Chinese;
}

}  // namespace ombrel
