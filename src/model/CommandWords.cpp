#include "model/CommandWords.h"

#include <array>
#include <string>
#include <vector>

namespace ombrel {
namespace {

using Kind = Command::Kind;
using Target = Command::Target;

struct Word {
    std::u16string_view name;
    Command command;
};

// The commands of one word.
constexpr std::array<Word, 11> kSingleWords{{
    {u"next", Command::Toward(Kind::Switch, Target::Next)},
    {u"previous", Command::Toward(Kind::Switch, Target::Previous)},
    {u"last", Command::Toward(Kind::Switch, Target::Last)},
    {u"icons", {Kind::ToggleDesktopIcons}},
    {u"taskbar", {Kind::ToggleTaskbar}},
    {u"bar", {Kind::ToggleBar}},
    {u"pause", {Kind::Pause}},
    {u"pin", {Kind::Pin}},
    {u"unpin", {Kind::Unpin}},
    {u"exit", {Kind::Exit}},
    {u"find", {Kind::Find}},
}};

// What a command line may ask besides commands.
constexpr std::array<std::pair<std::u16string_view, Request>, 4> kRequestWords{{
    {u"list", Query::List},
    {u"list --json", Query::ListJson},
    {u"help", Query::Help},
    {u"watch", Subscription::Watch},
}};

// The commands that take a desktop after them.
constexpr std::array<std::pair<std::u16string_view, Kind>, 3> kAimedWords{{
    {u"switch", Kind::Switch},
    {u"send", Kind::Send},
    {u"move", Kind::Move},
}};

// The commands of the command line alone that take a window's handle after them.
constexpr std::array<std::pair<std::u16string_view, Kind>, 2> kWindowWords{{
    {u"show", Kind::GoToWindow},
    {u"bring", Kind::BringWindow},
}};

// A window's handle as "list --json" gives it: decimal, no sign, no leading zero, not zero.
std::optional<WindowHandle> HandleOf(std::u16string_view word) {
    constexpr std::size_t kMaxDigits = 19;  // below 2^63 whatever the digits
    if (word.empty() || word.size() > kMaxDigits || word[0] == u'0') {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char16_t digit : word) {
        if (digit < u'0' || digit > u'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(digit - u'0');
    }
    return static_cast<WindowHandle>(value);
}

// "1" to "9" and nothing else: no sign, no leading zero, no full-width digit.
std::optional<int> DesktopIndex(std::u16string_view word) {
    if (word.size() != 1 || word[0] < u'1' || word[0] > u'9') {
        return std::nullopt;
    }
    return word[0] - u'1';
}

// What follows "switch", "send" or "move"; "switch next" is plain "next".
std::optional<Command> Aimed(Kind kind, std::u16string_view word) {
    if (const std::optional<int> desktop = DesktopIndex(word)) {
        return Command{kind, *desktop};
    }
    if (kind != Kind::Switch && word == u"next") {
        return Command::Toward(kind, Target::Next);
    }
    if (kind != Kind::Switch && word == u"previous") {
        return Command::Toward(kind, Target::Previous);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Command> ParseCommand(std::span<const std::u16string> words) {
    if (words.size() == 2 && words[0] == u"pin" && words[1] == u"toggle") {
        return Command{Kind::PinToggle};
    }
    if (words.size() == 2) {
        for (const auto& [name, kind] : kAimedWords) {
            if (words[0] == name) {
                return Aimed(kind, words[1]);
            }
        }
    }
    if (words.size() == 1) {
        for (const Word& word : kSingleWords) {
            if (words[0] == word.name) {
                return word.command;
            }
        }
    }
    return std::nullopt;
}

namespace {

// Single blanks between words, as the texts are written; none for anything else.
std::optional<std::vector<std::u16string>> SplitWords(std::u16string_view text) {
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
    return words;
}

}  // namespace

std::optional<Command> ParseCommandText(std::u16string_view text) {
    const std::optional<std::vector<std::u16string>> words = SplitWords(text);
    return words ? ParseCommand(*words) : std::nullopt;
}

std::optional<Request> ParseRequest(std::span<const std::u16string> words) {
    if (const std::optional<Command> command = ParseCommand(words)) {
        return *command;
    }
    if (words.size() == 2) {
        for (const auto& [name, kind] : kWindowWords) {
            if (words[0] == name) {
                const std::optional<WindowHandle> window = HandleOf(words[1]);
                if (!window) {
                    return std::nullopt;
                }
                return Command{kind, 0, Target::Desktop, *window};
            }
        }
    }
    std::u16string text;
    for (const std::u16string& word : words) {
        text += (text.empty() ? u"" : u" ") + word;
    }
    for (const auto& [name, request] : kRequestWords) {
        if (name == text && !text.empty()) {
            return request;
        }
    }
    return std::nullopt;
}

std::optional<Request> ParseRequestText(std::u16string_view text) {
    const std::optional<std::vector<std::u16string>> words = SplitWords(text);
    return words ? ParseRequest(*words) : std::nullopt;
}

bool IsQueryText(std::u16string_view text) {
    const std::optional<Request> request = ParseRequestText(text);
    const Command* command = request ? std::get_if<Command>(&*request) : nullptr;
    return request && (command == nullptr || command->subject != WindowHandle::None);
}

std::u16string RequestText(const Request& request) {
    if (const Command* command = std::get_if<Command>(&request)) {
        return CommandText(*command);
    }
    for (const auto& [name, known] : kRequestWords) {
        if (known == request) {
            return std::u16string(name);
        }
    }
    return {};
}

std::u16string CommandText(const Command& command) {
    if (command.kind == Kind::PinToggle) {
        return u"pin toggle";
    }
    for (const auto& [name, kind] : kWindowWords) {
        if (kind == command.kind) {
            const std::string digits = std::to_string(static_cast<std::uint64_t>(command.subject));
            return std::u16string(name) + u" " + std::u16string(digits.begin(), digits.end());
        }
    }
    for (const Word& word : kSingleWords) {
        if (word.command == command) {
            return std::u16string(word.name);
        }
    }
    std::u16string text;
    for (const auto& [name, kind] : kAimedWords) {
        if (kind == command.kind) {
            text = name;
        }
    }
    switch (command.target) {
        case Target::Next:
            return text + u" next";
        case Target::Previous:
            return text + u" previous";
        case Target::Last:
        case Target::Desktop:
            break;
    }
    return text + u" " + std::u16string(1, static_cast<char16_t>(u'1' + command.desktop));
}

std::string AnswerText(int exitCode, std::string_view text) {
    return std::to_string(exitCode) + "\n" + std::string(text);
}

std::optional<ReadAnswerText> ReadAnswer(std::string_view answer) {
    const std::size_t lineEnd = answer.find('\n');
    if (lineEnd == std::string_view::npos || lineEnd == 0 || lineEnd > 2) {
        return std::nullopt;
    }
    int code = 0;
    for (char digit : answer.substr(0, lineEnd)) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        code = code * 10 + (digit - '0');
    }
    return ReadAnswerText{code, answer.substr(lineEnd + 1)};
}

}  // namespace ombrel
