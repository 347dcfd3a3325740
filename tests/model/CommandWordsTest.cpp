#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CommandWords.h"

namespace ombrel::testing {
namespace {

std::optional<Command> Parse(std::vector<std::u16string> words) {
    return ParseCommand(words);
}

TEST(CommandLine, EveryCommandIsReadAndCarriedAsTheSameText) {
    using Kind = Command::Kind;
    using Target = Command::Target;
    const std::vector<std::pair<std::vector<std::u16string>, Command>> accepted{
        {{u"switch", u"1"}, Command::SwitchTo(0)},
        {{u"switch", u"9"}, Command::SwitchTo(8)},
        {{u"send", u"4"}, Command::SendTo(3)},
        {{u"move", u"3"}, Command::MoveTo(2)},
        {{u"next"}, Command::Toward(Kind::Switch, Target::Next)},
        {{u"previous"}, Command::Toward(Kind::Switch, Target::Previous)},
        {{u"last"}, Command::Toward(Kind::Switch, Target::Last)},
        {{u"send", u"next"}, Command::Toward(Kind::Send, Target::Next)},
        {{u"send", u"previous"}, Command::Toward(Kind::Send, Target::Previous)},
        {{u"move", u"next"}, Command::Toward(Kind::Move, Target::Next)},
        {{u"move", u"previous"}, Command::Toward(Kind::Move, Target::Previous)},
        {{u"icons"}, {Kind::ToggleDesktopIcons}},
        {{u"taskbar"}, {Kind::ToggleTaskbar}},
        {{u"bar"}, {Kind::ToggleBar}},
        {{u"pause"}, {Kind::Pause}},
        {{u"pin"}, {Kind::Pin}},
        {{u"unpin"}, {Kind::Unpin}},
        {{u"pin", u"toggle"}, {Kind::PinToggle}},
        {{u"exit"}, {Kind::Exit}},
        {{u"find"}, {Kind::Find}},
    };
    for (const auto& [words, expected] : accepted) {
        const std::optional<Command> command = Parse(words);
        ASSERT_TRUE(command.has_value()) << words.size();
        EXPECT_EQ(*command, expected);
        EXPECT_EQ(ParseCommandText(CommandText(*command)), expected);
        EXPECT_EQ(ParseRequest(words), Request{expected});
        EXPECT_FALSE(IsQueryText(CommandText(*command)));
    }
}

TEST(CommandLine, QueriesAndTheSubscriptionAreRequestsButNoCommands) {
    const std::vector<std::pair<std::vector<std::u16string>, Request>> accepted{
        {{u"list"}, Query::List},
        {{u"list", u"--json"}, Query::ListJson},
        {{u"help"}, Query::Help},
        {{u"watch"}, Subscription::Watch},
    };
    for (const auto& [words, expected] : accepted) {
        EXPECT_EQ(ParseRequest(words), expected);
        EXPECT_FALSE(Parse(words).has_value());
        EXPECT_EQ(ParseRequestText(RequestText(expected)), expected);
        EXPECT_TRUE(IsQueryText(RequestText(expected)));
    }
    EXPECT_FALSE(ParseRequestText(u"list  --json").has_value());
    EXPECT_FALSE(ParseRequest(std::vector<std::u16string>{}).has_value());
}

TEST(CommandLine, ShowAndBringTakeAHandleAsListJsonGivesItAndNoKeyMayRunThem) {
    const auto window = static_cast<WindowHandle>(0x1002C);
    EXPECT_EQ(RequestText(Command::GoTo(window)), u"show 65580");
    EXPECT_EQ(RequestText(Command::Bring(window)), u"bring 65580");
    for (const Command& expected : {Command::GoTo(window), Command::Bring(window)}) {
        const std::u16string text = RequestText(expected);
        EXPECT_EQ(ParseRequestText(text), Request{expected});
        EXPECT_FALSE(ParseCommandText(text).has_value());
        EXPECT_TRUE(IsQueryText(text));  // the settings file refuses it for a key
    }
    for (std::u16string_view text :
         {u"show", u"show 0", u"show 065580", u"show -1", u"show 0x1002C",
          u"show 12345678901234567890", u"bring 1 2", u"bring ６", u"Show 65580"}) {
        EXPECT_FALSE(ParseRequestText(text).has_value());
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
        {u"list", u"--JSON"},
        {u"watch", u"1"},
        {u"Switch", u"3"},
        {u"exit", u"now"},
        {u"list", u"all"},
        {u"start"},
        {u"switch", u"next"},
        {u"send", u"last"},
        {u"move"},
        {u"next", u"3"},
        {u""},
        {u"/?"},
    };
    for (const auto& words : refused) {
        EXPECT_FALSE(Parse(words).has_value()) << std::string(words[0].begin(), words[0].end());
    }
    for (std::u16string_view text :
         {u"", u" ", u"switch  3", u"switch 3 ", u" switch 3", u"switch\t3", u"exit\r\n"}) {
        EXPECT_FALSE(ParseCommandText(text).has_value());
    }
}

TEST(CommandLine, AnAnswerIsItsCodeOnALineAndWhatIsPrintedAndReadsBackTheSame) {
    const std::string answer = AnswerText(kExitNothingToDo, "nothing\r\n");
    EXPECT_EQ(answer, "4\nnothing\r\n");
    const std::optional<ReadAnswerText> read = ReadAnswer(answer);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->exitCode, kExitNothingToDo);
    EXPECT_EQ(read->text, "nothing\r\n");
    EXPECT_EQ(ReadAnswer("0\n")->text, "");
    for (std::string_view wrong : {"", "\n", "4", "123\nthree digits", "x\n", "-1\n"}) {
        EXPECT_FALSE(ReadAnswer(wrong).has_value()) << wrong;
    }
}

}  // namespace
}  // namespace ombrel::testing
