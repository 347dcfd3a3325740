#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "RunningProgram.h"

namespace ombrel::testing {
namespace {

using Json = nlohmann::json;

class CommandChannel : public RunningProgram {
  protected:
    const fakes::FakeCommandChannel::Call& Send(
        std::u16string_view text,
        const ChannelPeer& from = fakes::FakeCommandChannel::kUsersProgram) {
        return fake.commands.Send(text, from);
    }
    int ExitCode(std::u16string_view text) { return Send(text).exitCode; }
};

TEST_F(CommandChannel, EachCommandRunsAsItsKeyAndEndsWithTheCodeAScriptChecks) {
    const WindowHandle notes =
        fake.desktop.OpenWindow({.className = u"Notepad", .title = u"笔记", .thread = 7});
    const WindowHandle mail =
        fake.desktop.OpenWindow({.className = u"Mail", .title = u"收件箱", .thread = 8});
    StartProgram();
    ASSERT_TRUE(fake.commands.IsOpen());
    EXPECT_EQ(ExitCode(u"last"), kExitNothingToDo);  // no desktop was left yet
    fake.desktop.SetForeground(mail);
    EXPECT_EQ(ExitCode(u"send 3"), kExitDone);  // as Ctrl+Alt+F3
    EXPECT_FALSE(Visible(mail));
    EXPECT_EQ(Send(u"list").output,
              "1\t*\tprogram7.exe\t\xE7\xAC\x94\xE8\xAE\xB0\r\n"
              "3\t\tprogram8.exe\t\xE6\x94\xB6\xE4\xBB\xB6\xE7\xAE\xB1\r\n");
    // Nothing in front that may be sent or pinned: the script hears that nothing happened.
    fake.desktop.SetForeground(progMan);
    EXPECT_EQ(ExitCode(u"send 2"), kExitNothingToDo);
    EXPECT_EQ(ExitCode(u"pin"), kExitNothingToDo);
    EXPECT_EQ(ExitCode(u"unpin"), kExitNothingToDo);
    EXPECT_EQ(ExitCode(u"switch 3"), kExitDone);
    EXPECT_TRUE(Visible(mail));
    EXPECT_FALSE(Visible(notes));
    EXPECT_FALSE(Send(u"switch 0").answered);  // not a command: dropped, nothing runs
    EXPECT_EQ(Engine().CurrentDesktop(), 2);

    // The exit is answered before the program ends, and then nothing more is taken.
    EXPECT_EQ(ExitCode(u"exit"), kExitDone);
    EXPECT_EQ(fake.forms.EndCount(), 1);
    EXPECT_TRUE(Visible(notes));
    EXPECT_FALSE(fake.commands.IsOpen());
}

// A launcher offers every window of every desktop from "list --json" and acts on the handle.
TEST_F(CommandChannel, ShowGoesToAWindowsDesktopAndBringFetchesItWithItsProgramsWindows) {
    const WindowHandle notes = OpenApp(7);
    const WindowHandle mail = OpenApp(8);
    const WindowHandle dialog =
        fake.desktop.OpenWindow({.className = u"#32770", .thread = 8, .owner = mail});
    StartProgram();
    fake.desktop.SetForeground(mail);
    ASSERT_EQ(ExitCode(u"send 3"), kExitDone);
    const auto handle = [](WindowHandle window) {
        const std::string digits = std::to_string(static_cast<std::uint64_t>(window));
        return std::u16string(digits.begin(), digits.end());
    };

    fake.desktop.SetMinimizedByOwner(mail, true);
    EXPECT_EQ(ExitCode(u"show " + handle(mail)), kExitDone);
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), mail);
    EXPECT_FALSE(fake.desktop.IsMinimized(mail));

    EXPECT_EQ(ExitCode(u"switch 1"), kExitDone);
    EXPECT_EQ(ExitCode(u"bring " + handle(mail)), kExitDone);
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    EXPECT_TRUE(Visible(mail));
    EXPECT_TRUE(Visible(dialog));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), mail);
    EXPECT_EQ(Engine().AllDesktops().DesktopOf(dialog), 0);
    EXPECT_TRUE(Engine().AllDesktops()[2].Empty());
    EXPECT_TRUE(Visible(notes));

    // A handle that is no window Ombrel knows: the script hears that nothing happened.
    EXPECT_EQ(ExitCode(u"show " + handle(progMan)), kExitNothingToDo);
    EXPECT_EQ(ExitCode(u"bring 123456"), kExitNothingToDo);
}

TEST_F(CommandChannel, ListReplacesTheControlCharactersOfATitle) {
    // An escape sequence that a terminal would obey, and a tab and line end that forge a row.
    fake.desktop.OpenWindow(
        {.className = u"Evil", .title = u"a\x1B]52;c;SGk=\x07\tb\r\n2\x9B", .thread = 7});
    StartProgram();
    EXPECT_EQ(Send(u"list").output,
              "1\t*\tprogram7.exe\ta\uFFFD]52;c;SGk=\uFFFD\uFFFDb\uFFFD\uFFFD2\uFFFD\r\n");
}

TEST_F(CommandChannel, ANameHeldAtTheStartIsTakenAtARefreshOnceItIsFree) {
    fake.commands.HoldName(true);
    StartProgram();
    EXPECT_FALSE(Send(u"switch 2").answered);
    Tick();
    fake.commands.HoldName(false);
    Tick();
    ASSERT_TRUE(fake.commands.IsOpen());
    EXPECT_EQ(ExitCode(u"switch 2"), kExitDone);
    EXPECT_EQ(Engine().CurrentDesktop(), 1);
}

TEST_F(CommandChannel, OnlyCallersOfTheProgramsOwnLogOnAndSessionAreHeard) {
    StartProgram();
    ChannelPeer task = fakes::FakeCommandChannel::kUsersProgram;
    task.sameLogon = false;  // a scheduled task, a remote shell
    EXPECT_FALSE(Send(u"switch 2", task).answered);
    ChannelPeer elsewhere = fakes::FakeCommandChannel::kUsersProgram;
    elsewhere.sameSession = false;
    EXPECT_FALSE(Send(u"switch 2", elsewhere).answered);
    ChannelPeer sandboxed = fakes::FakeCommandChannel::kUsersProgram;
    sandboxed.integrity = 0x1000;
    EXPECT_FALSE(Send(u"switch 2", sandboxed).answered);
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    EXPECT_EQ(ExitCode(u"switch 2"), kExitDone);  // an ordinary program of the log-on
}

TEST_F(CommandChannel, AnElevatedProgramHearsOnlyElevatedCallers) {
    fake.commands.RunElevated();
    StartProgram();
    EXPECT_FALSE(Send(u"switch 2").answered);  // the user's ordinary prompt
    ChannelPeer elevated = fakes::FakeCommandChannel::kUsersProgram;
    elevated.integrity = 0x3000;
    elevated.elevated = true;
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    EXPECT_EQ(Send(u"switch 2", elevated).exitCode, kExitDone);
    EXPECT_EQ(Engine().CurrentDesktop(), 1);
}

TEST_F(CommandChannel, ACallerTellsOnlyItsOwnProgramFileNoLessTrustedThanItself) {
    const ChannelPeer ombrel = fakes::FakeCommandChannel::kUsersProgram;
    EXPECT_TRUE(TrustsServer(kMediumIntegrity, ombrel));
    ChannelPeer namesake = ombrel;  // another file named Ombrel.exe
    namesake.sameProgramFile = false;
    EXPECT_FALSE(TrustsServer(kMediumIntegrity, namesake));
    // An elevated prompt does not talk to an ordinary instance, which any program may pose as.
    EXPECT_FALSE(TrustsServer(0x3000, ombrel));
    ChannelPeer elevated = ombrel;
    elevated.integrity = 0x3000;
    EXPECT_TRUE(TrustsServer(0x3000, elevated));
    EXPECT_TRUE(TrustsServer(kMediumIntegrity, elevated));
    ChannelPeer otherUser = ombrel;
    otherUser.sameUser = false;
    EXPECT_FALSE(TrustsServer(kMediumIntegrity, otherUser));
}

TEST_F(CommandChannel, ListJsonDescribesEveryDesktopAndWatchHearsEachChange) {
    const WindowHandle notes =
        fake.desktop.OpenWindow({.className = u"Notepad", .title = u"笔记", .thread = 7});
    const WindowHandle player =
        fake.desktop.OpenWindow({.className = u"Player", .title = u"音乐", .thread = 9});
    StartProgram();
    // Nobody follows: no change is put into words.
    Press(1);
    Press(0);
    EXPECT_EQ(fake.commands.Announced(), 0);
    const auto& watch = Send(u"watch");
    ASSERT_TRUE(watch.follows);
    EXPECT_EQ(Json::parse(watch.output)["current"], 1);

    fake.desktop.SetForeground(player);
    EXPECT_EQ(ExitCode(u"pin"), kExitDone);
    fake.files.Save(fakes::FakeUserFiles::kSettingsFile, R"({ "names": { "2": "邮件" } })");
    Tick();
    Tick();
    fake.desktop.SetForeground(notes);
    EXPECT_EQ(ExitCode(u"send 2"), kExitDone);
    EXPECT_EQ(ExitCode(u"switch 2"), kExitDone);
    Click(bar::kHide);
    const WindowHandle late = OpenApp(10);
    Tick();
    fake.desktop.CloseWindow(late);
    Tick();

    const Json state = Json::parse(Send(u"list --json").output);
    EXPECT_EQ(state["current"], 2);
    EXPECT_EQ(state["bar"], false);
    EXPECT_EQ(state["icons"], true);
    EXPECT_EQ(state["paused"], false);
    ASSERT_EQ(state["desktops"].size(), 9U);
    const Json& two = state["desktops"][1];
    EXPECT_EQ(two["number"], 2);
    EXPECT_EQ(two["name"], "邮件");
    // The pinned window once, with the desktop it is seen on now.
    ASSERT_EQ(two["windows"].size(), 2U);
    EXPECT_EQ(two["windows"][0]["handle"], static_cast<std::uint64_t>(player));
    EXPECT_EQ(two["windows"][0]["pinned"], true);
    EXPECT_EQ(two["windows"][1]["title"], "笔记");
    EXPECT_EQ(two["windows"][1]["program"], "program7.exe");
    EXPECT_EQ(two["windows"][1]["pinned"], false);
    EXPECT_TRUE(state["desktops"][0]["windows"].empty());

    std::vector<std::string> events;
    for (const std::string& line : watch.lines) {
        const Json change = Json::parse(line);
        events.push_back(change["event"]);
        if (change["event"] == "send") {
            EXPECT_EQ(change["desktop"], 2);
            EXPECT_EQ(change["windows"][0], static_cast<std::uint64_t>(notes));
        } else if (change["event"] == "switch") {
            EXPECT_EQ(change["current"], 2);
        } else if (change["event"] == "bar") {
            EXPECT_EQ(change["shown"], false);
        }
    }
    EXPECT_EQ(events, (std::vector<std::string>{"pin", "settings", "send", "switch", "bar", "open",
                                                "close"}));
}

}  // namespace
}  // namespace ombrel::testing
