#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/CommandWords.h"
#include "model/KeyText.h"
#include "platform/Hotkeys.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFileTemplate.h"

namespace ombrel {
namespace {

constexpr std::uint32_t kCtrl = ModControl;
constexpr std::uint32_t kAlt = ModAlt;
constexpr std::uint32_t kShift = ModShift;
constexpr std::uint32_t kWin = ModWin;

std::string Narrow(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

SettingsFileContents Contents(std::string_view text) {
    auto result = ParseSettingsFile(text);
    if (const auto* error = std::get_if<SettingsFileError>(&result)) {
        ADD_FAILURE() << "refused at " << error->at.line << ":" << error->at.column;
        return {};
    }
    return std::get<SettingsFileContents>(std::move(result));
}

struct GoodKeyText {
    std::u16string_view text;
    KeyCombination key;
    std::u16string_view name;
};

const std::vector<GoodKeyText> kGoodKeyTexts{
    {u"ctrl+f1", {kCtrl, 0x70}, u"Ctrl+F1"},
    {u"CTRL+ALT+F4", {kCtrl | kAlt, 0x73}, u"Ctrl+Alt+F4"},
    {u"Win+Shift+Left", {kShift | kWin, 0x25}, u"Shift+Win+Left"},
    {u"alt+CTRL+delete", {kCtrl | kAlt, 0x2E}, u"Ctrl+Alt+Delete"},
    {u"ctrl+alt+shift+win+backspace",
     {kCtrl | kAlt | kShift | kWin, 0x08},
     u"Ctrl+Alt+Shift+Win+Backspace"},
    {u"f13", {0, 0x7C}, u"F13"},
    {u"F24", {0, 0x87}, u"F24"},
    {u"ctrl+f24", {kCtrl, 0x87}, u"Ctrl+F24"},
    {u"shift+a", {kShift, 0x41}, u"Shift+A"},
    {u"win+Z", {kWin, 0x5A}, u"Win+Z"},
    {u"alt+0", {kAlt, 0x30}, u"Alt+0"},
    {u"alt+9", {kAlt, 0x39}, u"Alt+9"},
    {u"ctrl+numpad0", {kCtrl, 0x60}, u"Ctrl+NumPad0"},
    {u"ctrl+NumPad9", {kCtrl, 0x69}, u"Ctrl+NumPad9"},
    {u"ctrl+right", {kCtrl, 0x27}, u"Ctrl+Right"},
    {u"ctrl+up", {kCtrl, 0x26}, u"Ctrl+Up"},
    {u"ctrl+down", {kCtrl, 0x28}, u"Ctrl+Down"},
    {u"ctrl+home", {kCtrl, 0x24}, u"Ctrl+Home"},
    {u"ctrl+end", {kCtrl, 0x23}, u"Ctrl+End"},
    {u"ctrl+pageup", {kCtrl, 0x21}, u"Ctrl+PageUp"},
    {u"ctrl+PAGEDOWN", {kCtrl, 0x22}, u"Ctrl+PageDown"},
    {u"ctrl+insert", {kCtrl, 0x2D}, u"Ctrl+Insert"},
    {u"ctrl+space", {kCtrl, 0x20}, u"Ctrl+Space"},
    {u"ctrl+tab", {kCtrl, 0x09}, u"Ctrl+Tab"},
    {u"ctrl+enter", {kCtrl, 0x0D}, u"Ctrl+Enter"},
    {u"ctrl+escape", {kCtrl, 0x1B}, u"Ctrl+Escape"},
};

// Refused by the program and by the schema's pattern.
const std::vector<std::u16string_view> kBadKeyTexts{
    u"",          u"f1",         u"f12",         u"a",
    u"ctrl",      u"ctrl+alt",   u"ctrl+",       u"+f1",
    u"ctrl++f1",  u"f4+ctrl",    u"ctrl+f1+f2",  u"ctrl+f0",
    u"ctrl+f25",  u"ctrl+f01",   u"ctrl+numpad", u"ctrl+numpad10",
    u"ctrl + f1", u"control+f1", u"ctrl+esc",    u"ctrl+ｆ1",
    u"ctrl+é",    u"ctrl+f1 ",
};
// Refused by the program only: the pattern does not count modifiers.
const std::vector<std::u16string_view> kRepeatedModifiers{u"ctrl+ctrl+f1", u"Alt+ctrl+ALT+f1"};

std::vector<KeyCommandText> DefaultKeys() {
    std::vector<KeyCommandText> keys;
    for (char16_t n = u'1'; n <= u'9'; ++n) {
        keys.push_back({u"ctrl+f" + std::u16string(1, n), u"switch " + std::u16string(1, n)});
    }
    keys.push_back({u"ctrl+f10", u"icons"});
    keys.push_back({u"ctrl+f11", u"taskbar"});
    keys.push_back({u"ctrl+f12", u"bar"});
    for (char16_t n = u'1'; n <= u'9'; ++n) {
        keys.push_back({u"ctrl+alt+f" + std::u16string(1, n), u"send " + std::u16string(1, n)});
    }
    return keys;
}

TEST(KeyText, ModifiersInAnyOrderAndCaseBeforeOneKeyNamedTheUsualWay) {
    for (const GoodKeyText& good : kGoodKeyTexts) {
        const std::optional<KeyCombination> key = ParseKeyText(good.text);
        ASSERT_TRUE(key.has_value()) << Narrow(good.text);
        EXPECT_EQ(*key, good.key) << Narrow(good.text);
        EXPECT_EQ(KeyCombinationName(*key), good.name);
    }
    for (const auto& bad : {kBadKeyTexts, kRepeatedModifiers}) {
        for (std::u16string_view text : bad) {
            EXPECT_FALSE(ParseKeyText(text).has_value()) << Narrow(text);
        }
    }
}

TEST(SettingsFile, EveryEntryIsReadAndWhatIsLeftOutKeepsItsDefault) {
    const std::string fiveClefs = "𝄞𝄞𝄞𝄞𝄞";  // one character each, two UTF-16 units
    const SettingsFileContents full = Contents(
        "{\n"
        "  \"$schema\": \"anything\",\n"
        "  \"keys\": {\n"
        "    \"ctrl+f1\": \"switch 1\",\n"
        "    \"Win+Shift+Left\": \"move previous\",\n"
        "    \"ctrl+f4\": null\n"
        "  },\n"
        "  \"names\": { \"1\": \"工作\", \"9\": \"" +
        fiveClefs + std::string(27, 'x') +
        "\" },\n"
        "  \"wrap\": false,\n"
        "  \"pauseInFullScreen\": true,\n"
        "  \"remember\": true\n"
        "}\n");
    // The described keys with the file's over them: Ctrl+F4 freed, Shift+Win+Left added.
    KeyBindings keys = DescribedKeyBindings();
    keys.erase(keys.begin() + 3);
    keys.push_back({kShift | kWin, 0x25,
                    Command::Toward(Command::Kind::Move, Command::Target::Previous),
                    u"Shift+Win+Left"});
    EXPECT_EQ(full.keys, keys);
    EXPECT_EQ(full.names[0], u"工作");
    EXPECT_EQ(full.names[8], u"𝄞𝄞𝄞𝄞𝄞" + std::u16string(27, u'x'));
    for (int desktop = 1; desktop < 8; ++desktop) {
        EXPECT_TRUE(full.names[static_cast<std::size_t>(desktop)].empty());
    }
    EXPECT_FALSE(full.wrap);
    EXPECT_TRUE(full.pauseInFullScreen);
    EXPECT_TRUE(full.remember);

    const SettingsFileContents empty = Contents("{}");
    EXPECT_EQ(empty.keys, DescribedKeyBindings());
    EXPECT_TRUE(empty.wrap);
    EXPECT_FALSE(empty.pauseInFullScreen);
    EXPECT_FALSE(empty.remember);
}

TEST(SettingsFile, RulesAreReadInTheirOrderWithTheirPatternsAndAction) {
    const SettingsFileContents contents = Contents(
        "{ \"rules\": [\n"
        "  { \"exe\": \"outlook.exe\", \"desktop\": 2 },\n"
        "  { \"class\": \"CalcFrame\", \"title\": \"*计算器*\", \"pin\": true },\n"
        "  { \"title\": \"\", \"ignore\": true },\n"
        "  { \"exe\": \"chat.exe\", \"desktop\": 3, \"onActivate\": \"mark\" },\n"
        "  { \"exe\": \"mail.exe\", \"onActivate\": \"follow\" }\n"
        "], \"onActivate\": \"smart\" }");
    using Kind = WindowPlacement::Kind;
    const WindowRules rules{
        {u"outlook.exe", std::nullopt, std::nullopt, WindowPlacement{Kind::Desktop, 1}},
        {std::nullopt, u"CalcFrame", u"*计算器*", WindowPlacement{Kind::Pin, 0}},
        {std::nullopt, std::nullopt, u"", WindowPlacement{Kind::Ignore, 0}},  // no title
        {u"chat.exe", std::nullopt, std::nullopt, WindowPlacement{Kind::Desktop, 2},
         OnActivate::Mark},
        {u"mail.exe", std::nullopt, std::nullopt, std::nullopt, OnActivate::Follow},
    };
    EXPECT_EQ(contents.rules, rules);
    EXPECT_EQ(contents.onActivate, OnActivate::Smart);
    EXPECT_EQ(Contents("{}").onActivate, OnActivate::Join);
}

TEST(SettingsFile, ByteOrderMarkCommentsAndCrLfAreAcceptedAndPositionsCountCharacters) {
    const auto file = [](std::string_view command) {
        return "\xEF\xBB\xBF// 设置\r\n"
               "{ /* 热键 */ \"keys\": {\r\n"
               "  /* 切换 */ \"ctrl+f2\": \"" +
               std::string(command) + "\" // 第二个\r\n} }\r\n";
    };
    EXPECT_EQ(Contents(file("next")).keys[1].command,
              Command::Toward(Command::Kind::Switch, Command::Target::Next));
    const auto unknown = ParseSettingsFile(file("jump"));
    ASSERT_TRUE(std::holds_alternative<SettingsFileError>(unknown));
    EXPECT_EQ(std::get<SettingsFileError>(unknown).at, (SettingsFilePosition{3, 12}));
    EXPECT_EQ(SettingsFileErrorWhat(Texts{}, std::get<SettingsFileError>(unknown)),
              u"不认识的命令“jump”");
}

TEST(SettingsFile, AKeyBoundToAQueryIsRefusedWhereItStands) {
    for (const char* query : {"list", "list --json", "help", "watch"}) {
        const auto result =
            ParseSettingsFile(std::string("{ \"keys\": {\n  \"ctrl+f4\": \"") + query + "\" } }");
        const auto* error = std::get_if<SettingsFileError>(&result);
        ASSERT_NE(error, nullptr) << query;
        EXPECT_EQ(error->at, (SettingsFilePosition{2, 3})) << query;
        const std::string words(query);
        EXPECT_EQ(SettingsFileErrorWhat(Texts{}, *error),
                  u"命令“" + std::u16string(words.begin(), words.end()) +
                      u"”只能在命令行使用，不能用作热键的命令");
    }
}

// "{ "keys": { "k0": 0, "k1": 0, … } }" on one line, or a rules array of count rules.
std::string ManyKeys(int count) {
    std::string text = "{ \"keys\": {";
    for (int i = 0; i < count; ++i) {
        text += " \"k" + std::to_string(1000 + i) + "\": 0,";
    }
    return text + " \"end\": 0 } }";
}
std::string ManyRules(int count) {
    std::string text = "{ \"rules\": [";
    for (int i = 0; i < count; ++i) {
        text += " 1,";
    }
    return text + " 2 ] }";
}

TEST(SettingsFile, EachFaultIsReportedWhereItStandsAndNamesWhatIsWrong) {
    struct Case {
        std::string text;
        SettingsFilePosition at;
        std::u16string_view named;  // what the message must mention
    };
    const std::vector<Case> cases{
        // Limits, checked while parsing: where the first one too many stands
        {ManyKeys(256), {1, 11 + 256 * 12 + 2}, u"256"},
        {ManyRules(256), {1, 12 + 256 * 3 + 2}, u"256"},
        {"{ \"rules\": [[[[[[[ [] ]]]]]]] }", {1, 20}, u"8"},
        {"{ \"rules\": [ { \"title\": \"" + std::string(129, 'x') + "\", \"pin\": true } ] }",
         {1, 16},
         u"128"},
        // JSON itself
        {"{\n  \"wrap\": true,\n}", {3, 1}, u"}"},
        {"{ \"names\": { \"1\": \"工作\" }, “wrap”: true }", {1, 27}, u"“"},
        {"{\n  \"wrap\": true", {2, 15}, u"结束"},
        {"// 说明\n[{ \"wrap\": true }]", {2, 1}, u"对象"},
        {"/* 说明 */ 42\n", {1, 10}, u"对象"},
        {"{ \"wrap\":\n -1e400 }", {2, 2}, u"数字"},
        // Members given twice
        {"{ \"wrap\": true,\n  \"wrap\": false }", {2, 3}, u"wrap"},
        {"{ \"keys\": { \"ctrl+f4\": \"exit\",\n  \"ctrl+f4\": null } }", {2, 3}, u"第 1 行"},
        {"{ \"keys\": {\n  \"Ctrl+F4\": \"exit\",\n  \"ctrl+f4\": null } }", {3, 3}, u"第 2 行"},
        {"{ \"keys\": {\n  \"ctrl+alt+f4\": \"exit\",\n  \"Alt+Ctrl+F4\": \"bar\" } }",
         {3, 3},
         u"Ctrl+Alt+F4"},
        // Unknown or misshapen entries
        {"{\n  \"wrap\": true,\n  \"warp\": false\n}", {3, 3}, u"warp"},
        {"{ \"wrap\": true, \"x\\\\\\\"y\": 1 }", {1, 17}, u"x\\\"y"},
        {"{ \"$schema\": 1 }", {1, 3}, u"$schema"},
        {"{ \"keys\": [] }", {1, 3}, u"keys"},
        {"{ \"keys\": {\n  \"ctrl+f1\": \"switch 1\",\n  \"ctrl+foo\": \"next\" } }",
         {3, 3},
         u"ctrl+foo"},
        {"{ \"keys\": { \"ctrl+f1\": 1 } }", {1, 13}, u"ctrl+f1"},
        {"{ \"keys\": { \"ctrl+f1\": [\"switch 1\"] } }", {1, 13}, u"ctrl+f1"},
        {"{ \"names\": \"工作\" }", {1, 3}, u"names"},
        {"{ \"names\": { \"1\": \"a\", \"0\": \"b\" } }", {1, 24}, u"“0”"},
        {"{ \"names\": { \"10\": \"b\" } }", {1, 14}, u"“10”"},
        {"{ \"names\": { \"3\": null } }", {1, 14}, u"桌面 3"},
        {"{ \"names\": { \"3\": \"" + std::string(33, 'x') + "\" } }", {1, 14}, u"32"},
        {"{ \"wrap\": \"true\" }", {1, 3}, u"wrap"},
        {"{\n\"pauseInFullScreen\": 0 }", {2, 1}, u"pauseInFullScreen"},
        // Rules
        {R"({ "rules": {} })", {1, 3}, u"rules"},
        {R"({ "rules": [ 1 ] })", {1, 14}, u"对象"},
        {R"({ "rules": [ "a.exe" ] })", {1, 14}, u"对象"},
        {"{ \"rules\": [\n  { \"desktop\": 2 } ] }", {2, 3}, u"exe"},
        {"{ \"rules\": [\n  { \"exe\": \"a.exe\" } ] }", {2, 3}, u"动作"},
        {"{ \"rules\": [ { \"exe\": \"a.exe\", \"desktop\": 2,\n  \"pin\": true } ] }",
         {2, 3},
         u"第 1 行"},
        {"{ \"rules\": [ { \"exe\": \"a\", \"pin\": true },\n { \"exe\": \"b\", \"desktop\": 10 } "
         "] }",
         {2, 16},
         u"1 到 9"},
        {R"({ "rules": [ { "exe": "a", "desktop": 0 } ] })", {1, 28}, u"desktop"},
        {R"({ "rules": [ { "exe": "a", "desktop": "2" } ] })", {1, 28}, u"desktop"},
        {R"({ "rules": [ { "exe": "a", "desktop": 2.0 } ] })", {1, 28}, u"desktop"},
        {R"({ "rules": [ { "exe": "a", "pin": false } ] })", {1, 28}, u"true"},
        {R"({ "rules": [ { "title": "a", "ignore": 1 } ] })", {1, 30}, u"ignore"},
        {R"({ "rules": [ { "exe": 5, "pin": true } ] })", {1, 16}, u"exe"},
        {R"({ "rules": [ { "titel": "a", "pin": true } ] })", {1, 16}, u"titel"},
        {R"({ "onActivate": "go" })", {1, 3}, u"onActivate"},
        {R"({ "rules": [ { "exe": "a", "onActivate": true } ] })", {1, 28}, u"onActivate"},
    };
    for (const Case& fault : cases) {
        const auto result = ParseSettingsFile(fault.text);
        const auto* error = std::get_if<SettingsFileError>(&result);
        ASSERT_NE(error, nullptr) << fault.text;
        EXPECT_EQ(error->at, fault.at) << fault.text;
        EXPECT_NE(SettingsFileErrorWhat(Texts{}, *error).find(fault.named), std::u16string::npos)
            << fault.text;
    }
    const SettingsFileError wrap{{3, 12}, TextId::SettingsSwitchNotBoolean, {u"wrap"}};
    EXPECT_EQ(SettingsFileErrorText(Texts{}, wrap),
              u"设置文件第 3 行第 12 列：“wrap”应为 true 或 false");
    // Put in words when it is reported, in the language then in force.
    EXPECT_EQ(SettingsFileErrorText(Texts{Language::English}, wrap),
              u"Settings file, line 3, column 12: \"wrap\" must be true or false");
}

TEST(SettingsFileTemplate, ReadsBackAsExactlyTheKeysItWasGivenInEitherLanguage) {
    EXPECT_EQ(DescribedKeyTexts(), DefaultKeys());
    const Texts chinese;
    std::vector<KeyCommandText> keys = DefaultKeys();
    keys.push_back({u"f13", u"next"});
    const SettingsFileContents contents = Contents(SettingsFileTemplate(chinese, keys));
    KeyBindings described = DescribedKeyBindings();
    described.push_back(
        {0, 0x7C, Command::Toward(Command::Kind::Switch, Command::Target::Next), u"F13"});
    EXPECT_EQ(contents.keys, described);
    // The template escapes what JSON must: the command comes back whole in the error.
    const std::vector<KeyCommandText> odd{{u"f13", u"say \"中文\" \\ \t"}};
    const auto refused = ParseSettingsFile(SettingsFileTemplate(chinese, odd));
    ASSERT_TRUE(std::holds_alternative<SettingsFileError>(refused));
    EXPECT_EQ(SettingsFileErrorWhat(chinese, std::get<SettingsFileError>(refused)),
              u"不认识的命令“say \"中文\" \\ \t”");
    EXPECT_TRUE(contents.wrap);
    EXPECT_FALSE(contents.pauseInFullScreen);
    EXPECT_EQ(contents.names, SettingsFileContents{}.names);
    EXPECT_TRUE(contents.rules.empty());  // only examples, in comments
    EXPECT_EQ(Contents(SettingsFileTemplate(chinese, {})).keys, DescribedKeyBindings());
    // Only the comments are English.
    const Texts english(Language::English);
    const std::string inEnglish = SettingsFileTemplate(english, keys);
    EXPECT_NE(inEnglish, SettingsFileTemplate(chinese, keys));
    EXPECT_EQ(Contents(inEnglish).keys, described);
    EXPECT_EQ(Contents(SettingsFileTemplate(chinese, keys)).language, LanguageChoice::Chinese);
    EXPECT_EQ(Contents(inEnglish).language, LanguageChoice::English);
}

// A schema without the words a user reads.
nlohmann::json Undescribed(nlohmann::json schema) {
    for (const char* words : {"description", "title"}) {
        // Not the rules' "title" member, which is a schema of its own.
        if (schema.is_object() && schema.contains(words) && schema.at(words).is_string()) {
            schema.erase(words);
        }
    }
    if (schema.is_structured()) {
        for (auto& child : schema) {
            child = Undescribed(child);
        }
    }
    return schema;
}

TEST(SettingsFileSchema, IsJsonWhoseCommandsAndKeyPatternAgreeWithTheProgram) {
    const auto schema = nlohmann::json::parse(SettingsFileSchema(Language::Chinese));
    // The English one says the same of every value, in other words.
    const auto english = nlohmann::json::parse(SettingsFileSchema(Language::English));
    EXPECT_EQ(Undescribed(english), Undescribed(schema));
    EXPECT_NE(english, schema);
    EXPECT_EQ(schema.at("properties").at("language").at("enum"),
              (nlohmann::json{"zh-CN", "en-US", "auto"}));
    const auto& keys = schema.at("properties").at("keys");

    std::vector<std::u16string> commands;
    for (const auto& word : keys.at("additionalProperties").at("enum")) {
        if (word.is_null()) {
            continue;
        }
        const std::string narrow = word.get<std::string>();
        commands.emplace_back(narrow.begin(), narrow.end());
        const std::optional<Command> command = ParseCommandText(commands.back());
        ASSERT_TRUE(command.has_value()) << narrow;
        EXPECT_EQ(CommandText(*command), commands.back());
    }
    EXPECT_EQ(commands.size(), 43U);  // every command of the language, once
    for (const KeyCommandText& key : DefaultKeys()) {
        EXPECT_NE(std::find(commands.begin(), commands.end(), key.second), commands.end());
    }

    const std::regex pattern(keys.at("propertyNames").at("pattern").get<std::string>());
    for (const GoodKeyText& good : kGoodKeyTexts) {
        EXPECT_TRUE(std::regex_search(Narrow(good.text), pattern)) << Narrow(good.text);
    }
    for (std::u16string_view text : kBadKeyTexts) {
        EXPECT_FALSE(std::regex_search(Narrow(text), pattern)) << Narrow(text);
    }
    EXPECT_EQ(schema.at("properties").at("names").at("additionalProperties").at("maxLength"),
              SettingsFileContents::kNameMaxLength);

    // The rule's members the program reads, and no other.
    const auto& rule = schema.at("properties").at("rules").at("items");
    std::vector<std::string> members;
    for (const auto& [name, member] : rule.at("properties").items()) {
        members.push_back(name);
    }
    EXPECT_EQ(members, (std::vector<std::string>{"class", "desktop", "exe", "ignore", "onActivate",
                                                 "pin", "title"}));
    EXPECT_EQ(schema.at("definitions").at("onActivate").at("enum"),
              (nlohmann::json{"join", "follow", "mark", "smart"}));
    EXPECT_EQ(rule.at("properties").at("desktop").at("maximum"),
              SettingsFileContents::kDesktopCount);
    EXPECT_EQ(rule.at("additionalProperties"), false);
    // The limits the program checks while it parses.
    EXPECT_EQ(keys.at("maxProperties"), SettingsFileContents::kMaxMembers);
    EXPECT_EQ(schema.at("properties").at("rules").at("maxItems"),
              SettingsFileContents::kMaxElements);
    for (const char* pattern : {"exe", "class", "title"}) {
        EXPECT_EQ(rule.at("properties").at(pattern).at("maxLength"),
                  SettingsFileContents::kPatternMaxLength)
            << pattern;
    }
}

}  // namespace
}  // namespace ombrel
