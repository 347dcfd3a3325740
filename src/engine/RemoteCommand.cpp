#include "engine/RemoteCommand.h"

#include <array>
#include <utility>
#include <vector>

namespace ombrel {
namespace {

struct Word {
    std::u16string_view name;
    RemoteCommand command;
};

// The commands without an argument.
constexpr std::array<Word, 6> kPlainWords{{
    {u"icons", {RemoteCommand::Kind::Run, {Command::Kind::ToggleDesktopIcons}}},
    {u"taskbar", {RemoteCommand::Kind::Run, {Command::Kind::ToggleTaskbar}}},
    {u"bar", {RemoteCommand::Kind::Run, {Command::Kind::ToggleBar}}},
    {u"exit", {RemoteCommand::Kind::Exit}},
    {u"list", {RemoteCommand::Kind::List}},
    {u"help", {RemoteCommand::Kind::Help}},
}};

// "1" to "9" and nothing else: no sign, no leading zero, no full-width digit.
std::optional<int> DesktopIndex(std::u16string_view word) {
    if (word.size() != 1 || word[0] < u'1' || word[0] > u'9') {
        return std::nullopt;
    }
    return word[0] - u'1';
}

}  // namespace

std::optional<RemoteCommand> ParseRemoteCommand(std::span<const std::u16string> words) {
    if (words.size() == 2 && (words[0] == u"switch" || words[0] == u"send")) {
        const std::optional<int> desktop = DesktopIndex(words[1]);
        if (!desktop) {
            return std::nullopt;
        }
        return RemoteCommand{RemoteCommand::Kind::Run, words[0] == u"switch"
                                                           ? Command::SwitchTo(*desktop)
                                                           : Command::SendTo(*desktop)};
    }
    if (words.size() == 1) {
        for (const Word& word : kPlainWords) {
            if (words[0] == word.name) {
                return word.command;
            }
        }
    }
    return std::nullopt;
}

std::optional<RemoteCommand> ParseRemoteCommandText(std::u16string_view text) {
    // Single blanks between words, as RemoteCommandText writes them; anything else is refused.
    std::vector<std::u16string> words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = text.find(u' ', start);
        words.emplace_back(text.substr(start, blank - start));
        if (words.back().empty() || blank == std::u16string_view::npos) {
            break;
        }
        start = blank + 1;
    }
    if (words.back().empty()) {
        return std::nullopt;
    }
    return ParseRemoteCommand(words);
}

std::u16string RemoteCommandText(const RemoteCommand& command) {
    for (const Word& word : kPlainWords) {
        if (word.command == command) {
            return std::u16string(word.name);
        }
    }
    const auto digit = static_cast<char16_t>(u'1' + command.command.desktop);
    return (command.command.kind == Command::Kind::Switch ? u"switch " : u"send ") +
           std::u16string(1, digit);
}

}  // namespace ombrel
