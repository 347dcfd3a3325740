#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/RemoteCommand.h"

namespace ombrel::testing {
namespace {

std::optional<RemoteCommand> Parse(std::vector<std::u16string> words) {
    return ParseRemoteCommand(words);
}

TEST(CommandLine, EveryCommandIsReadAndCarriedAsTheSameText) {
    using Kind = RemoteCommand::Kind;
    const std::vector<std::pair<std::vector<std::u16string>, RemoteCommand>> accepted{
        {{u"switch", u"1"}, {Kind::Run, Command::SwitchTo(0)}},
        {{u"switch", u"9"}, {Kind::Run, Command::SwitchTo(8)}},
        {{u"send", u"4"}, {Kind::Run, Command::SendTo(3)}},
        {{u"icons"}, {Kind::Run, {Command::Kind::ToggleDesktopIcons}}},
        {{u"taskbar"}, {Kind::Run, {Command::Kind::ToggleTaskbar}}},
        {{u"bar"}, {Kind::Run, {Command::Kind::ToggleBar}}},
        {{u"exit"}, {Kind::Exit}},
        {{u"list"}, {Kind::List}},
        {{u"help"}, {Kind::Help}},
    };
    for (const auto& [words, expected] : accepted) {
        const std::optional<RemoteCommand> command = Parse(words);
        ASSERT_TRUE(command.has_value()) << words.size();
        EXPECT_EQ(*command, expected);
        EXPECT_EQ(ParseRemoteCommandText(RemoteCommandText(*command)), expected);
    }
}

TEST(CommandLine, AnythingElseIsRefused) {
    const std::vector<std::vector<std::u16string>> refused{
        {u"switch"},
        {u"switch", u"0"},
        {u"switch", u"10"},
        {u"switch", u"01"},
        {u"switch", u"+3"},
        {u"switch", u"３"},
        {u"switch", u"3.0"},
        {u"send", u""},
        {u"switch", u"3", u"now"},
        {u"Switch", u"3"},
        {u"exit", u"now"},
        {u"list", u"all"},
        {u"start"},
        {u""},
        {u"/?"},
    };
    for (const auto& words : refused) {
        EXPECT_FALSE(Parse(words).has_value()) << std::string(words[0].begin(), words[0].end());
    }
    for (std::u16string_view text :
         {u"", u" ", u"switch  3", u"switch 3 ", u" switch 3", u"switch\t3", u"exit\r\n"}) {
        EXPECT_FALSE(ParseRemoteCommandText(text).has_value());
    }
}

}  // namespace
}  // namespace ombrel::testing
