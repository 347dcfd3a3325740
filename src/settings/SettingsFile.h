#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "model/KeyText.h"

namespace ombrel {

// 1-based; the column counts characters (Unicode code points), not bytes.
struct SettingsFilePosition {
    int line = 0;
    int column = 0;
    friend bool operator==(const SettingsFilePosition&, const SettingsFilePosition&) = default;
};

// One member of "keys". The command is kept as written: the engine reads it.
struct KeyEntry {
    KeyCombination key;
    std::optional<std::u16string> command;  // none: null, the key is freed
    SettingsFilePosition at;                // where the member's key text begins
};

// One object of "rules": patterns (with * and ?, any case) of which at least one is given, and
// one action.
struct RuleEntry {
    enum class Action { Desktop, Pin, Ignore };
    std::optional<std::u16string> exe;        // the program's file name, "outlook.exe"
    std::optional<std::u16string> className;  // "class"
    std::optional<std::u16string> title;
    Action action = Action::Desktop;
    int desktop = 0;          // 1 to 9, for Action::Desktop
    SettingsFilePosition at;  // where the rule's object begins
};

struct SettingsFileContents {
    static constexpr int kDesktopCount = 9;
    static constexpr std::size_t kNameMaxLength = 32;  // characters (code points)
    // What a file may hold at most, checked while it is parsed: no file can keep Ombrel busy.
    static constexpr std::size_t kMaxBytes = 1 << 20;
    static constexpr std::size_t kMaxMembers = 256;        // in one object
    static constexpr std::size_t kMaxElements = 256;       // in one array
    static constexpr std::size_t kMaxDepth = 8;            // objects and arrays within each other
    static constexpr std::size_t kPatternMaxLength = 128;  // a rule's exe, class or title
    std::vector<KeyEntry> keys;                            // in the order of the file
    std::array<std::u16string, kDesktopCount> names;       // empty: no name given
    bool wrap = true;
    bool pauseInFullScreen = false;
    std::vector<RuleEntry> rules;  // in the order of the file: the first that matches decides
};

struct SettingsFileError {
    SettingsFilePosition at;
    std::u16string what;  // in Chinese, without the position
};

// "设置文件第 3 行第 12 列：……": the whole message, for the log and the user.
std::u16string SettingsFileErrorText(const SettingsFileError& error);

// The text of settings.json (UTF-8, a BOM and // or /* */ comments allowed) as typed values,
// or the first fault found.
std::variant<SettingsFileContents, SettingsFileError> ParseSettingsFile(std::string_view utf8);

// A key text and its command, as the template writes them.
using KeyCommandText = std::pair<std::u16string, std::u16string>;

// A new settings.json (UTF-8, CRLF lines): every entry with its value and a comment on it in
// Chinese, "keys" holding the given key texts and commands in their order.
std::string SettingsFileTemplate(std::span<const KeyCommandText> keys);

// The JSON Schema (draft-07, UTF-8) that editors check settings.json against; the template
// names it "./settings.schema.json".
std::string_view SettingsFileSchema();

}  // namespace ombrel
