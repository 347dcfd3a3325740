#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "model/KeyBindings.h"
#include "model/WindowRule.h"
#include "platform/UserFiles.h"
#include "settings/PositionedJson.h"
#include "settings/SettingsFileError.h"
#include "text/Texts.h"

namespace ombrel {

// The language of the texts: "zh-CN", "en-US", or "auto" for Windows' display language.
enum class LanguageChoice { Chinese, English, Auto };

// What the settings file puts in force; left out, an entry keeps its default.
struct SettingsFileContents {
    static constexpr int kDesktopCount = 9;
    static constexpr std::size_t kNameMaxLength = 32;  // characters (code points)
    // What a file may hold at most, checked while it is parsed: no file can keep Ombrel busy.
    static constexpr std::size_t kMaxBytes = 1 << 20;
    static constexpr std::size_t kMaxMembers = JsonLimits::kMaxMembers;    // in one object
    static constexpr std::size_t kMaxElements = JsonLimits::kMaxElements;  // in one array
    static constexpr std::size_t kMaxDepth = JsonLimits::kMaxDepth;        // within each other
    static constexpr std::size_t kPatternMaxLength = 128;  // a rule's exe, class or title
    // The 21 described keys with the file's members over them: a member replaces the command of
    // its key, frees the key (null) or adds one at the end.
    KeyBindings keys = DescribedKeyBindings();
    std::array<std::u16string, kDesktopCount> names;  // empty: no name given
    bool wrap = true;
    bool pauseInFullScreen = false;
    // Windows go back to the desktops where they were, after a restart or when their program
    // starts again.
    bool remember = false;
    bool trayIcon = false;  // the current desktop's number in the notification area
    WindowRules rules;      // in the order of the file: the first that matches decides
    OnActivate onActivate = OnActivate::Join;  // where no rule says otherwise
    LanguageChoice language = LanguageChoice::Chinese;
};

// The language a choice puts in force: "auto" is Chinese where Windows speaks Chinese to the
// user, English anywhere else.
Language LanguageOf(LanguageChoice choice, std::u16string_view displayLanguage);

// The language the file at these bytes asks for; Chinese for a file that cannot be used, as the
// program does then.
Language LanguageOfSettingsFile(std::string_view utf8, std::u16string_view displayLanguage);
// The same for the user's own settings file: what the program, the command line's client and
// the guard read ahead of everything else, so that each speaks it from its first line.
Language LanguageOfUsersSettingsFile(UserFiles& files, std::u16string_view displayLanguage);

// The text of settings.json (UTF-8, a BOM and // or /* */ comments allowed) as typed values,
// or the first fault found.
std::variant<SettingsFileContents, SettingsFileError> ParseSettingsFile(std::string_view utf8);

}  // namespace ombrel
