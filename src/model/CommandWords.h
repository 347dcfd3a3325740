#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/Command.h"

namespace ombrel {

// The words of the commands, as the command line, the settings file and a second start's
// message carry them: "switch 3", "send next", "move previous", "last", "icons"... Checked
// strictly: lower case, a desktop as one digit 1 to 9, nothing more. None for anything else.
std::optional<Command> ParseCommand(std::span<const std::u16string> words);
// The same check on one text, words apart by single blanks.
std::optional<Command> ParseCommandText(std::u16string_view text);
// The words of a command, as ParseCommandText takes them.
std::u16string CommandText(const Command& command);

// A command line's request: a command, a query or a subscription ("list", "list --json",
// "help", "watch"), by the same strict rules. "show HANDLE" and "bring HANDLE" (the handle in
// decimal, as "list --json" gives it) are the command line's own commands given a window.
std::optional<Request> ParseRequest(std::span<const std::u16string> words);
std::optional<Request> ParseRequestText(std::u16string_view text);
// The words of a request, as ParseRequestText takes them.
std::u16string RequestText(const Request& request);
// Whether the text names a request that no key may be bound to: a query, a subscription, or a
// command given a window.
bool IsQueryText(std::u16string_view text);

// An answer as it goes back to a command line: the exit code on a line of its own, then what
// the caller prints (UTF-8).
std::string AnswerText(int exitCode, std::string_view text);
struct ReadAnswerText {
    int exitCode = 0;
    std::string_view text;
};
// None for anything AnswerText does not write.
std::optional<ReadAnswerText> ReadAnswer(std::string_view answer);

}  // namespace ombrel
