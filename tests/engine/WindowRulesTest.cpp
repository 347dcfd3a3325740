#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "RunningProgram.h"
#include "engine/WindowRules.h"

namespace ombrel::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

TEST(WindowPattern, StarAndQuestionMarkMatchAnyCaseAndCharactersNotUnits) {
    struct Case {
        std::u16string_view pattern;
        std::u16string_view text;
        bool matches;
    };
    const std::u16string longText(10000, u'a');
    for (const Case& c : std::initializer_list<Case>{
             {u"outlook.exe", u"OUTLOOK.EXE", true},
             {u"*.exe", u"notepad.exe", true},
             {u"*.exe", u"notepad.ex", false},
             {u"*Inbox", u"inbox - mail", false},
             {u"a?c", u"abc", true},
             {u"a?c", u"ac", false},
             {u"a*b*c", u"aXbYc", true},
             {u"a*b*c", u"aXcYb", false},
             {u"", u"", true},
             {u"", u"a", false},
             {u"**", u"", true},
             {u"?", u"", false},
             {u"*计算器*", u"Windows 计算器 - 标准", true},
             {u"?", u"𝄞", true},  // one character in two UTF-16 units
             {u"??", u"𝄞", false},
             {u"ПОЧТА*", u"почта - входящие", true},
             {u"ÉTÉ ΑΒΓ", u"été αβγ", true},
             // Many stars over a long text that nearly matches: no blow-up.
             {u"*a*a*a*a*a*a*a*a*a*a*a*a*b", longText, false},
         }) {
        EXPECT_EQ(MatchesPattern(c.pattern, c.text), c.matches)
            << std::string(c.pattern.begin(), c.pattern.end());
    }
}

class Rules : public RunningProgram {
  protected:
    static constexpr fakes::ThreadId kMail = 11;
    static constexpr fakes::ThreadId kFrameHost = 30;
    static constexpr fakes::ThreadId kCalculator = 31;
    static constexpr fakes::ThreadId kPhotos = 32;

    void SaveRules(std::string rules) {
        fake.files.Save(fakes::FakeUserFiles::kSettingsFile, "{ \"rules\": " + rules + " }");
    }
    // The user saves the file while the program runs; in force within two refreshes, a
    // deletion within three (it is looked for once more).
    void SaveRulesWhileRunning(std::optional<std::string> rules) {
        if (rules) {
            SaveRules(*rules);
        } else {
            fake.files.Save(fakes::FakeUserFiles::kSettingsFile, std::nullopt);
            Tick();
        }
        Tick();
        Tick();
    }
    WindowHandle Open(std::u16string title, fakes::ThreadId thread = kAppThread,
                      std::u16string className = u"Notepad") {
        const WindowHandle window = fake.desktop.OpenWindow(
            {.className = std::move(className), .title = std::move(title), .thread = thread});
        fake.desktop.SetForeground(window);
        return window;
    }
    bool InAnySet(WindowHandle window) {
        for (int index = 0; index < kDesktopCount; ++index) {
            if (std::find(Set(index).begin(), Set(index).end(), window) != Set(index).end()) {
                return true;
            }
        }
        return false;
    }
    std::vector<RecoveryList::Entry> Listed() {
        return RecoveryList(fake.registry, fake.desktop, fake.log, fake.texts, fake.forms).Read();
    }
};

TEST_F(Rules, EachKindOfMatchAndActionPlacesTheWindowsOpenAtStartAndTheFirstMatchDecides) {
    fake.desktop.NameProgram(kMail, u"OUTLOOK.EXE");
    const WindowHandle mail = Open(u"收件箱 - Outlook", kMail);
    const WindowHandle calculator = Open(u"计算器", 12, u"CalcFrame");
    const WindowHandle monitor = Open(u"资源监视器", 13, u"WdcWindow");
    const WindowHandle editor = Open(u"笔记.txt - 记事本");
    SaveRules(R"([
        { "exe": "outlook.exe", "desktop": 3 },
        { "class": "calc*", "title": "计算器", "pin": true },
        { "class": "Wdc?indow", "ignore": true },
        { "title": "*记事本", "desktop": 1 },
        { "title": "*记事本", "desktop": 5 }
    ])");
    StartProgram();

    EXPECT_FALSE(Visible(mail));  // hidden at once, and listed for recovery
    EXPECT_THAT(Set(2), ElementsAre(mail));
    ASSERT_EQ(Listed().size(), 1U);
    EXPECT_EQ(Listed()[0].window, mail);
    EXPECT_EQ(Listed()[0].desktop, 2);
    EXPECT_THAT(Set(0), ElementsAre(editor));  // the first of its two rules: stays
    EXPECT_FALSE(InAnySet(calculator));
    EXPECT_FALSE(InAnySet(monitor));

    Press(1);
    EXPECT_TRUE(Visible(calculator));  // pinned
    EXPECT_TRUE(Visible(monitor));     // ignored: never hidden
    EXPECT_FALSE(Visible(editor));
    Tick();
    EXPECT_FALSE(InAnySet(monitor));
    const std::u16string list = WindowListText(Engine().State());
    EXPECT_EQ(list.find(u"资源监视器"), std::u16string::npos);  // nor listed
    EXPECT_NE(list.find(u"P\t*\tprogram12.exe\t计算器"), std::u16string::npos);
    EXPECT_FALSE(Engine().Known().HiddenByUs(monitor));
    // Nor sent: the user's commands do not touch it either.
    fake.desktop.SetForeground(monitor);
    Press(kFirstSendCode + 4);
    EXPECT_TRUE(Visible(monitor));
    Press(2);
    EXPECT_TRUE(Visible(mail));
}

TEST_F(Rules, ATitleIsMatchedOnItsFirstUnitsOnly) {
    SaveRules(R"([ { "title": "*尾", "desktop": 2 } ])");
    const WindowHandle shorter = Open(std::u16string(kMatchedTitleLength - 1, u'x') + u"尾");
    const WindowHandle longer = Open(std::u16string(kMatchedTitleLength, u'x') + u"尾");
    StartProgram();
    EXPECT_THAT(Set(1), ElementsAre(shorter));
    EXPECT_TRUE(Visible(longer));
}

TEST_F(Rules, AStoreAppsWindowMatchesByTheAppsOwnProgramNotTheFramesHost) {
    fake.desktop.NameProgram(kFrameHost, std::u16string(fakes::FakeDesktop::kStoreAppFrameHost));
    fake.desktop.NameProgram(kCalculator, u"CalculatorApp.exe");
    fake.desktop.NameProgram(kPhotos, u"Photos.exe");
    const auto frame = [&](fakes::ThreadId app) {
        return fake.desktop.OpenWindow(
            {.className = u"ApplicationFrameWindow", .thread = kFrameHost, .contentThread = app});
    };
    const WindowHandle calculator = frame(kCalculator);
    const WindowHandle photos = frame(kPhotos);
    SaveRules(R"([ { "exe": "calculatorapp.exe", "desktop": 4 },
                   { "exe": "ApplicationFrameHost.exe", "desktop": 9 } ])");
    StartProgram();
    EXPECT_THAT(Set(3), ElementsAre(calculator));
    EXPECT_THAT(Set(0), ElementsAre(photos));
    EXPECT_NE(WindowListText(Engine().State()).find(u"Photos.exe"), std::u16string::npos);

    // A frame shown a moment before its app joins it is looked at again until the app is there.
    SaveRulesWhileRunning(R"([ { "exe": "calculatorapp.exe", "desktop": 4 } ])");
    const WindowHandle late = frame(0);
    Tick();
    EXPECT_THAT(Set(0), ::testing::Contains(late));
    fake.desktop.Get(late).contentThread = kCalculator;
    Tick();
    EXPECT_THAT(Set(3), ElementsAre(calculator, late));
    EXPECT_FALSE(Visible(late));
}

TEST_F(Rules, ARuleActsOnceAtTheFirstSightThenTheUsersCommandsDecide) {
    SaveRules(R"([ { "title": "收件箱*", "desktop": 2 } ])");
    StartProgram();
    const WindowHandle inbox = Open(u"收件箱 - 1");
    Tick();
    EXPECT_FALSE(Visible(inbox));
    EXPECT_THAT(Set(1), ElementsAre(inbox));

    // Sent back by the user, it stays however often it is seen.
    Press(1);
    fake.desktop.SetForeground(inbox);
    Press(kFirstSendCode + 0);
    Press(0);
    Tick();
    Tick();
    EXPECT_TRUE(Visible(inbox));
    EXPECT_THAT(Set(0), ElementsAre(inbox));

    // Nor does a rule move a window the user sent before any refresh saw it.
    const WindowHandle quick = Open(u"收件箱 - 3");
    Press(kFirstSendCode + 3);
    Press(3);
    Tick();
    EXPECT_TRUE(Visible(quick));
    Press(0);

    // A title that changes later does not match again.
    const WindowHandle draft = Open(u"草稿");
    Tick();
    fake.desktop.SetTitle(draft, u"收件箱 - 2");
    Tick();
    EXPECT_TRUE(Visible(draft));

    // Reloaded rules act on windows seen after the reload; with the file gone there are none.
    SaveRulesWhileRunning(R"([ { "title": "草稿*", "desktop": 3 } ])");
    EXPECT_TRUE(Visible(inbox));
    const WindowHandle second = Open(u"草稿 2");
    Tick();
    EXPECT_THAT(Set(2), ElementsAre(second));
    SaveRulesWhileRunning(std::nullopt);
    const WindowHandle third = Open(u"草稿 3");
    Tick();
    EXPECT_TRUE(Visible(third));

    // A handle reused by another program names a new window: seen for the first time.
    SaveRulesWhileRunning(R"([ { "exe": "program99.exe", "desktop": 3 } ])");
    fake.desktop.CloseWindow(third);
    Tick();
    const WindowHandle stranger = fake.desktop.OpenWindow({.thread = 99, .reuse = third});
    ASSERT_EQ(stranger, third);
    Tick();
    EXPECT_FALSE(Visible(stranger));

    // So does one its own program takes again once a refresh saw the window close, and one
    // another program takes before a refresh did, where the window had left the set.
    SaveRulesWhileRunning(R"([ { "title": "草稿*", "desktop": 3 } ])");
    const WindowHandle closed = Open(u"笔记");
    Tick();
    fake.desktop.CloseWindow(closed);
    Tick();
    const WindowHandle again =
        fake.desktop.OpenWindow({.title = u"草稿 4", .thread = kAppThread, .reuse = closed});
    ASSERT_EQ(again, closed);
    Tick();
    EXPECT_FALSE(Visible(again));
    const WindowHandle hiding = Open(u"笔记 2");
    Tick();
    fake.desktop.SetVisibleByOwner(hiding, false);
    Tick();
    fake.desktop.CloseWindow(hiding);
    const WindowHandle taken =
        fake.desktop.OpenWindow({.title = u"草稿 5", .thread = 99, .reuse = hiding});
    ASSERT_EQ(taken, hiding);
    Tick();
    EXPECT_FALSE(Visible(taken));
}

TEST_F(Rules, AProgramsWindowsSeenTogetherGoWithTheirOwnerAndALaterDialogStaysBesideIt) {
    const WindowHandle main = Open(u"主窗口");
    const WindowHandle palette = fake.desktop.OpenWindow({.thread = kAppThread, .owner = main});
    SaveRules(R"([ { "title": "主窗口", "desktop": 2 }, { "class": "#32770", "desktop": 3 } ])");
    StartProgram();
    EXPECT_FALSE(Visible(palette));
    EXPECT_THAT(Set(1), ElementsAre(palette, main));

    // A dialog of a program the user works with appears beside it, whatever a rule says of
    // dialogs; a dialog of a program left alone is left alone too.
    Press(1);
    const WindowHandle dialog =
        fake.desktop.OpenWindow({.className = u"#32770", .thread = kAppThread, .owner = main});
    const WindowHandle loose = fake.desktop.OpenWindow({.className = u"#32770", .thread = 50});
    Tick();
    EXPECT_TRUE(Visible(dialog));
    EXPECT_THAT(Set(1), Contains(dialog));
    EXPECT_THAT(Set(2), ElementsAre(loose));
}

TEST_F(Rules, ARestartKeepsTheLastArrangementAndTheScreenAndPlacesOnlyLaterWindows) {
    const WindowHandle parked = OpenApp();
    const WindowHandle shown = OpenApp();
    StartProgram();
    fake.desktop.SetForeground(parked);
    Press(kFirstSendCode + 1);
    SaveRules(R"([ { "class": "Notepad", "desktop": 5 } ])");
    program.reset();  // killed before the change was read
    const WindowHandle meanwhile = OpenApp();
    StartProgram();
    EXPECT_TRUE(Visible(shown));
    EXPECT_TRUE(Visible(meanwhile));
    EXPECT_THAT(Set(1), ElementsAre(parked));
    EXPECT_THAT(Set(4), IsEmpty());
    Press(1);
    Tick();
    EXPECT_TRUE(Visible(parked));
    Press(0);
    Tick();
    EXPECT_TRUE(Visible(shown));
    EXPECT_THAT(Set(4), IsEmpty());

    const WindowHandle later = OpenApp();
    Tick();
    EXPECT_THAT(Set(4), ElementsAre(later));
    EXPECT_THAT(Set(0), Not(Contains(later)));
}

}  // namespace
}  // namespace ombrel::testing
