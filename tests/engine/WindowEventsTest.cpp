#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "RunningProgram.h"
#include "shell/PromptLook.h"

namespace ombrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Delivery = fakes::FakeDesktop::EventDelivery;

class Heard : public RunningProgram {
  protected:
    void SaveSettings(const std::string& json) {
        fake.files.Save(fakes::FakeUserFiles::kSettingsFile, json);
    }
    // The few milliseconds until the prompt look pass.
    void LookSoon() { fake.desktop.FireTimers(); }
    bool LookAsked() { return fake.desktop.TimerRunning(ProgramWindow(), PromptLook::kSoonTimer); }
    // The user saves the file while the program runs: in force at the next refreshes.
    void SaveSettingsWhileRunning(const std::string& json) {
        SaveSettings(json);
        Tick();
        Tick();
    }
    // A new window of desktop 1, parked there while desktop 2 is current, its hide seen done.
    WindowHandle ParkedOnDesktopOne() {
        Press(0);
        const WindowHandle window = OpenApp();
        LookSoon();
        Press(1);
        LookSoon();
        return window;
    }
    // Its program brings it up, with the foreground or without.
    void BroughtUp(WindowHandle window, bool foreground) {
        fake.desktop.SetVisibleByOwner(window, true);
        if (foreground) {
            fake.desktop.SetForeground(window);
        }
        LookSoon();
    }
};

TEST_F(Heard, ANewWindowIsPlacedByItsRuleAtTheFirstLookAndEveryKindOfNewsAsksForOne) {
    SaveSettings(R"({ "rules": [ { "title": "Mail*", "desktop": 3 } ] })");
    const WindowHandle editor = OpenApp();
    StartProgram();
    ASSERT_TRUE(fake.desktop.ListensToWindowEvents());
    const auto& watch = fake.commands.Send(u"watch");

    const WindowHandle mail = fake.desktop.OpenWindow({.title = u"Mail - Inbox", .thread = 9});
    ASSERT_TRUE(LookAsked());
    LookSoon();
    EXPECT_FALSE(Visible(mail));
    EXPECT_THAT(Set(2), ElementsAre(mail));
    ASSERT_FALSE(watch.lines.empty());
    EXPECT_NE(watch.lines.back().find("\"open\""), std::string::npos);

    // The rest asks for a look too, and what closed is told at that look.
    fake.desktop.SetTitle(editor, u"Notes");
    EXPECT_TRUE(LookAsked());
    LookSoon();
    fake.desktop.SetMinimizedByOwner(editor, true);
    EXPECT_TRUE(LookAsked());
    LookSoon();
    fake.desktop.SetMinimizedByOwner(editor, false);
    EXPECT_TRUE(LookAsked());
    LookSoon();
    fake.desktop.SetForeground(mail);
    EXPECT_TRUE(LookAsked());
    LookSoon();
    fake.desktop.CloseWindow(editor);
    EXPECT_TRUE(LookAsked());
    LookSoon();
    EXPECT_NE(watch.lines.back().find("\"close\""), std::string::npos);
    const WindowHandle tray = OpenApp();
    LookSoon();
    fake.desktop.SetVisibleByOwner(tray, false);
    EXPECT_TRUE(LookAsked());
    LookSoon();
    EXPECT_THAT(Set(0), IsEmpty());

    // A window just created is looked at again a few times, for a show that comes later.
    const WindowHandle late =
        fake.desktop.OpenWindow({.title = u"Mail - Draft", .visible = false, .thread = 9});
    LookSoon();
    fake.desktop.DeliverWindowEvents(Delivery::Lost);  // as Wine tells nothing but creations
    fake.desktop.SetVisibleByOwner(late, true);
    LookSoon();
    EXPECT_FALSE(Visible(late));
    EXPECT_THAT(Set(2), ElementsAre(mail, late));
}

TEST_F(Heard, ALostEventIsCaughtByTheRefresh) {
    SaveSettings(R"({ "rules": [ { "title": "Mail*", "desktop": 3 } ] })");
    StartProgram();
    fake.desktop.DeliverWindowEvents(Delivery::Lost);
    const WindowHandle mail = fake.desktop.OpenWindow({.title = u"Mail", .thread = 9});
    EXPECT_FALSE(LookAsked());
    Tick();
    EXPECT_FALSE(Visible(mail));
    EXPECT_THAT(Set(2), ElementsAre(mail));
}

// The program shows its window again before the news of our hide arrives: until then the
// window is taken as hidden, as we asked; from the news on, the show is the program's own.
TEST_F(Heard, OurHideToldLateAndInEitherOrderMakesTheProgramsShowItsOwn) {
    StartProgram();
    for (const bool reversed : {false, true}) {
        fake.desktop.DeliverWindowEvents(Delivery::AtOnce);
        Press(0);
        const WindowHandle app = OpenApp();
        LookSoon();
        fake.desktop.DeliverWindowEvents(Delivery::Held);
        Press(1);
        fake.desktop.SetVisibleByOwner(app, true);
        Engine().Run(WindowsChanged{});
        EXPECT_THAT(Set(0), ElementsAre(app)) << reversed;
        fake.desktop.DeliverHeldWindowEvents(reversed);
        LookSoon();
        EXPECT_THAT(Set(1), ElementsAre(app)) << reversed;
        EXPECT_THAT(Set(0), IsEmpty()) << reversed;
        EXPECT_FALSE(Engine().Known().HiddenByUs(app)) << reversed;
        fake.desktop.CloseWindow(app);
    }
}

TEST_F(Heard, EachOnActivateDecidesWhatBecomesOfAWindowBroughtUpOnAnotherDesktop) {
    struct Case {
        const char* settings;
        bool foreground;
        int current;      // the desktop current after the look
        bool stillShown;  // the window
        int belongsTo;
        bool marked;  // its desktop wants the user
    };
    StartProgram();
    for (const Case& c : std::initializer_list<Case>{
             {R"({})", true, 1, true, 1, false},
             {R"({ "onActivate": "join" })", true, 1, true, 1, false},
             {R"({ "onActivate": "follow" })", false, 0, true, 0, false},
             {R"({ "onActivate": "mark" })", true, 1, false, 0, true},
             {R"({ "onActivate": "smart" })", true, 0, true, 0, false},
             {R"({ "onActivate": "smart" })", false, 1, false, 0, true},
             // A rule's own word comes first; a rule that does not match changes nothing.
             {R"({ "onActivate": "join", "rules": [
                    { "exe": "other.exe", "onActivate": "mark" },
                    { "exe": "program7.exe", "onActivate": "follow" } ] })",
              false, 0, true, 0, false},
             {R"({ "onActivate": "follow", "rules": [
                    { "exe": "program7.exe", "desktop": 1, "onActivate": "join" } ] })",
              false, 1, true, 1, false},
         }) {
        SaveSettingsWhileRunning(c.settings);
        const WindowHandle app = ParkedOnDesktopOne();
        const auto& watch = fake.commands.Send(u"watch");
        BroughtUp(app, c.foreground);
        const std::string named = std::string(c.settings) + (c.foreground ? " foreground" : "");
        EXPECT_EQ(Engine().CurrentDesktop(), c.current) << named;
        EXPECT_EQ(Visible(app), c.stillShown) << named;
        EXPECT_EQ(Engine().AllDesktops().DesktopOf(app), c.belongsTo) << named;
        EXPECT_EQ(Engine().AttentionTitle(0).has_value(), c.marked) << named;
        // What watch tells: the window appeared here, the switch, or the desktop that asks.
        ASSERT_FALSE(watch.lines.empty()) << named;
        const std::string told = c.current == 0 ? "\"switch\""
                                 : c.marked     ? "\"attention\""
                                                : "\"open\"";
        EXPECT_NE(watch.lines.back().find(told), std::string::npos) << named << watch.lines.back();
        if (c.current == 0) {
            EXPECT_EQ(fake.desktop.GetForegroundWindow(), app) << named;
        }
        fake.desktop.CloseWindow(app);
        LookSoon();
    }
}

TEST_F(Heard, WindowsWeShowNeverCountAndTwoProgramsAtOnceNeverMakeUsLoop) {
    SaveSettings(R"({ "onActivate": "follow" })");
    const WindowHandle one = OpenApp(7);
    StartProgram();
    Press(2);
    const WindowHandle three = OpenApp(8);
    LookSoon();
    Press(1);
    LookSoon();
    Press(0);  // ours to show: nothing follows
    LookSoon();
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    Press(1);
    LookSoon();

    // Both programs bring their windows up, and keep doing so whenever we hide them.
    for (int round = 0; round < 5; ++round) {
        fake.desktop.SetVisibleByOwner(one, true);
        fake.desktop.SetVisibleByOwner(three, true);
        LookSoon();
        if (round == 0) {
            const int followed = Engine().CurrentDesktop();
            EXPECT_TRUE(followed == 0 || followed == 2);
            EXPECT_EQ(Engine().AllDesktops().DesktopOf(one), 0);
            EXPECT_EQ(Engine().AllDesktops().DesktopOf(three), 2);
            EXPECT_NE(Visible(one), Visible(three));
        }
        Tick();
    }
    EXPECT_TRUE(Visible(one));
    EXPECT_TRUE(Visible(three));
    EXPECT_EQ(Engine().AllDesktops().DesktopOf(one), Engine().CurrentDesktop());
    EXPECT_EQ(Engine().AllDesktops().DesktopOf(three), Engine().CurrentDesktop());
}

}  // namespace
}  // namespace ombrel::testing
