#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "engine/WindowTable.h"

namespace ombrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using WindowSets = RunningProgram;

TEST_F(WindowSets, StartUpCollectsVisibleAppWindowsInEnumerationOrder) {
    const WindowHandle first = OpenApp();
    const WindowHandle hidden = OpenApp();
    fake.desktop.SetVisibleByOwner(hidden, false);
    const WindowHandle second = OpenApp();
    StartProgram();

    // Newest on top, and EnumWindows reports top first; the shell and the bar never enter.
    EXPECT_THAT(Set(0), ElementsAre(second, first));
    for (int desktop = 1; desktop < kDesktopCount; ++desktop) {
        EXPECT_THAT(Set(desktop), IsEmpty());
    }
}

TEST_F(WindowSets, FilterLeavesOutWhatWindowsKeepsOutOfSightAndTheShellsOtherParts) {
    const WindowHandle app = OpenApp();
    const WindowHandle cloaked = fake.desktop.OpenWindow({.cloaked = true});
    const WindowHandle secondTaskbar =
        fake.desktop.OpenWindow({.className = u"Shell_SecondaryTrayWnd"});
    const WindowHandle wallpaperHost = fake.desktop.OpenWindow({.className = u"WorkerW"});
    StartProgram();

    EXPECT_THAT(Set(0), ElementsAre(app));
    EXPECT_FALSE(Engine().IsTaskWindow(cloaked));
    EXPECT_FALSE(Engine().IsTaskWindow(secondTaskbar));
    EXPECT_FALSE(Engine().IsTaskWindow(wallpaperHost));
    EXPECT_FALSE(Engine().IsTaskWindow(progMan));
    EXPECT_FALSE(Engine().IsTaskWindow(trayWnd));
    EXPECT_FALSE(Engine().IsTaskWindow(Bar().hWnd()));
    EXPECT_FALSE(Engine().IsTaskWindow(WindowHandle::None));
}

TEST_F(WindowSets, PassingWindowsNeverJoinASetButOwnedWindowsWithATitleBarDo) {
    constexpr std::uint32_t kPopup = 0x80000000;
    constexpr std::uint32_t kCaption = 0x00C00000;
    constexpr std::uint32_t kToolWindow = 0x80;
    constexpr std::uint32_t kNoActivate = 0x08000000;
    const WindowHandle app = OpenApp();
    const auto open = [&](std::u16string className, WindowStyles styles,
                          fakes::ThreadId thread = kAppThread) {
        return fake.desktop.OpenWindow(
            {.className = std::move(className), .thread = thread, .owner = app, .styles = styles});
    };
    const WindowHandle dialog = open(u"#32770", {kPopup | kCaption, 0});
    const WindowHandle palette = open(u"Palette", {kPopup | kCaption, kToolWindow});
    for (const auto& [className, styles] :
         std::initializer_list<std::pair<const char16_t*, WindowStyles>>{
             {u"tooltips_class32", {kPopup, kToolWindow}},
             {u"#32768", {kPopup, kToolWindow}},
             {u"SysShadow", {kPopup, 0}},
             {u"ComboLBox", {kPopup, kToolWindow}},
             {u"IME", {kPopup, 0}},
             {u"MSCTFIME UI", {kPopup, 0}},
             {u"DropDownList", {kPopup, kToolWindow}},
             {u"Notification", {kPopup | kCaption, kNoActivate}}}) {
        open(className, styles);
    }
    open(u"tooltips_class32", {kPopup, kToolWindow}, fakes::FakeDesktop::kOwnThread);  // the bar's
    StartProgram();
    EXPECT_THAT(Set(0), ElementsAre(palette, dialog, app));
}

TEST_F(WindowSets, WithoutShellWindowsTheFilterStillWorks) {
    fake.desktop.CloseWindow(progMan);
    fake.desktop.CloseWindow(trayWnd);
    const WindowHandle app = OpenApp();
    StartProgram();

    EXPECT_EQ(Engine().Shell().DesktopIcons(), WindowHandle::None);
    EXPECT_EQ(Engine().Shell().Taskbar(), WindowHandle::None);
    EXPECT_THAT(Set(0), ElementsAre(app));
}

TEST_F(WindowSets, RefreshFollowsTheScreenAndIsStableWhenNothingChanged) {
    const WindowHandle a = OpenApp();
    const WindowHandle b = OpenApp();
    StartProgram();
    Tick();
    const WindowSet before = Set(0);
    Tick();
    EXPECT_EQ(Set(0), before);

    fake.desktop.SetVisibleByOwner(a, false);
    const WindowHandle c = OpenApp();
    Tick();
    EXPECT_THAT(Set(0), ElementsAre(c, b));
}

TEST_F(WindowSets, OurOwnHelpWindowJoinsTheCurrentDesktopAndLeavesWithIt) {
    StartProgram();
    Click(bar::kHelp);
    const WindowHandle help = program->frmHelp().hWnd();
    ASSERT_TRUE(Visible(help));
    Tick();
    EXPECT_THAT(Set(0), ElementsAre(help));

    Click(bar::kDesktop, 1);
    EXPECT_FALSE(Visible(help));
    Click(bar::kDesktop, 0);
    EXPECT_TRUE(Visible(help));
}

TEST_F(WindowSets, EachWindowsClassIsAskedForOnceWhileItLives) {
    const WindowHandle app = OpenApp();
    const WindowHandle wallpaperHost = fake.desktop.OpenWindow({.className = u"WorkerW"});
    StartProgram();
    const int afterStart = fake.desktop.ClassNameCalls();
    Tick();
    Tick();
    EXPECT_EQ(fake.desktop.ClassNameCalls(), afterStart);
    EXPECT_THAT(Set(0), ElementsAre(app));

    // A window that went away is forgotten; a new one is asked about, in its handle too.
    fake.desktop.CloseWindow(wallpaperHost);
    Tick();
    Tick();
    const WindowHandle host =
        fake.desktop.OpenWindow({.className = u"WorkerW", .reuse = wallpaperHost});
    ASSERT_EQ(host, wallpaperHost);
    Tick();
    EXPECT_EQ(fake.desktop.ClassNameCalls(), afterStart + 1);
    EXPECT_FALSE(Engine().IsTaskWindow(host));
    EXPECT_THAT(Set(0), ElementsAre(app));
}

TEST_F(WindowSets, TheBarIsNeverCollectedEvenWhenVisible) {
    StartProgram();
    ASSERT_TRUE(Bar().Visible());
    Tick();
    EXPECT_THAT(Set(0), IsEmpty());
}

// A program that has not yet acted on a switch (busy, or hung) must not have its windows moved
// to another desktop by a refresh that runs in between.
TEST_F(WindowSets, ARefreshBeforeAProgramCatchesUpKeepsItsWindowsWhereTheSwitchPutThem) {
    constexpr fakes::ThreadId kSlowThread = 42;
    const WindowHandle slow = OpenApp(kSlowThread);
    const WindowHandle quick = OpenApp();
    StartProgram();

    // Leaving: the hide is still on its way; desktop 2 does not take the window.
    fake.desktop.HangThread(kSlowThread);
    Press(1);
    ASSERT_TRUE(Visible(slow));
    Tick();
    EXPECT_THAT(Set(1), IsEmpty());
    fake.desktop.ResumeThread(kSlowThread);
    EXPECT_FALSE(Visible(slow));

    // Entering: the show is still on its way; desktop 1 keeps the window.
    fake.desktop.HangThread(kSlowThread);
    Press(0);
    ASSERT_FALSE(Visible(slow));
    Tick();
    EXPECT_THAT(Set(0), ElementsAre(quick, slow));
    fake.desktop.ResumeThread(kSlowThread);
    Press(1);
    EXPECT_FALSE(Visible(slow));
    EXPECT_FALSE(Visible(quick));
}

// However long a program takes, and however often a script asks for the list meanwhile, its
// window is on one desktop: the one it was hidden from, where it comes back.
TEST_F(WindowSets, AProgramThatWakesLongAfterASwitchHasItsWindowOnTheDesktopItLeft) {
    constexpr fakes::ThreadId kHungThread = 42;
    const WindowHandle frozen = OpenApp(kHungThread);
    StartProgram();
    fake.desktop.HangThread(kHungThread, true);
    Press(1);
    for (int second = 0; second < 15; ++second) {
        Tick();
        fake.commands.Send(u"list --json");
    }
    EXPECT_THAT(Set(1), IsEmpty());
    EXPECT_THAT(Set(0), ElementsAre(frozen));
    fake.desktop.ResumeThread(kHungThread);
    EXPECT_FALSE(Visible(frozen));
    Tick();
    EXPECT_THAT(Set(0), ElementsAre(frozen));
    EXPECT_THAT(Set(1), IsEmpty());
    Press(0);
    EXPECT_TRUE(Visible(frozen));
}

// A hide carried out after its window was taken in where it stood (its program answered, and
// then got to the hide): the window is not left hidden on no desktop.
TEST_F(WindowSets, AWindowWeHidThatEndsInNoSetIsShownOnTheCurrentDesktop) {
    const WindowHandle app = OpenApp();
    StartProgram();
    Press(1);
    fake.desktop.SetVisibleByOwner(app, true);
    Tick();
    Tick();
    ASSERT_THAT(Set(1), ElementsAre(app));
    fake.desktop.SetVisibleByOwner(app, false);  // our hide, late
    Tick();
    EXPECT_THAT(Set(1), ElementsAre(app));
    EXPECT_TRUE(Visible(app));

    // A pinned window is in no set by right: one its program hides stays as the program wants.
    fake.desktop.SetForeground(app);
    ASSERT_EQ(Engine().Run(Command{Command::Kind::Pin}).result, Outcome::Result::Done);
    fake.desktop.SetVisibleByOwner(app, false);
    Tick();
    EXPECT_FALSE(Visible(app));
    EXPECT_THAT(Set(1), IsEmpty());
}

// A program that brings back its parked window (a click on its tray icon) and later hides it
// again (closed to the tray): it stays hidden, as the program wants, and is no longer ours.
TEST_F(WindowSets, AWindowItsProgramShowedAgainAndThenHidItselfStaysHidden) {
    const WindowHandle app = OpenApp();
    StartProgram();
    Press(1);
    Tick();
    fake.desktop.SetVisibleByOwner(app, true);
    Tick();
    ASSERT_THAT(Set(1), ElementsAre(app));
    fake.desktop.SetVisibleByOwner(app, false);
    Tick();
    Tick();
    EXPECT_FALSE(Visible(app));
    EXPECT_THAT(Set(1), IsEmpty());
    Engine().Run(Leaving{});
    EXPECT_FALSE(Visible(app));
}

// Our hide, show and hide wait in a slow program's queue: the window, hidden by the first, is not
// taken for one whose last hide is done, so the show that follows is ours, not its program's,
// and the window is still ours when the last hide lands (it comes back at exit).
TEST_F(WindowSets, AWindowWhoseEarlierHideLandsFirstIsNotTakenForOneItsProgramShowedAgain) {
    const WindowHandle app = OpenApp();
    StartProgram();
    fake.desktop.HangThread(kAppThread);
    Press(1);
    Press(0);
    Press(1);
    fake.desktop.ActOnFirstWaitingChange(kAppThread);  // the first hide
    Tick();
    fake.desktop.ActOnFirstWaitingChange(kAppThread);  // our show
    Tick();
    fake.desktop.ActOnFirstWaitingChange(kAppThread);  // the last hide
    Tick();
    EXPECT_FALSE(Visible(app));
    EXPECT_THAT(Set(0), ElementsAre(app));
    fake.desktop.ResumeThread(kAppThread);
    Engine().Run(Leaving{});
    EXPECT_TRUE(Visible(app));
}

TEST_F(WindowSets, AWindowItsProgramShowsAgainAfterWeHidItJoinsTheCurrentDesktopSoon) {
    const WindowHandle app = OpenApp();
    StartProgram();
    Press(1);
    fake.desktop.SetVisibleByOwner(app, true);

    int refreshes = 0;
    while (Set(1).empty() && refreshes < 10) {
        Tick();
        ++refreshes;
    }
    EXPECT_THAT(Set(1), ElementsAre(app));
    EXPECT_THAT(Set(0), IsEmpty());  // it left desktop 1 for good
    EXPECT_LE(refreshes, 2);         // the program took its messages: the screen tells at once
    Press(2);
    EXPECT_FALSE(Visible(app));
    Press(0);
    EXPECT_FALSE(Visible(app));
}

TEST_F(WindowSets, AWindowClosedWhileParkedLeavesItsDesktopAtTheNextRefresh) {
    const WindowHandle parked = OpenApp();
    StartProgram();
    Press(1);
    ASSERT_TRUE(Bar().Controls(bar::kDesktop, 0).Bold());
    fake.desktop.CloseWindow(parked);
    Tick();
    EXPECT_THAT(Set(0), IsEmpty());
    EXPECT_FALSE(Bar().Controls(bar::kDesktop, 0).Bold());
}

// The refresh's lookups: handles that share their low bits, as Windows' do, through growth, a
// clear that keeps the storage, and a sifting.
TEST(WindowTableOfTheWalk, HoldsOneValueForEachWindowUntilClearedOrSifted) {
    WindowTable<int> table;
    const auto handle = [](int i) { return static_cast<WindowHandle>(0x10000 * (i % 7) + 16 * i); };
    for (int use = 0; use < 2; ++use) {
        for (int i = 1; i <= 3000; ++i) {
            ASSERT_TRUE(table.TryEmplace(handle(i), i).second);
        }
        EXPECT_FALSE(table.TryEmplace(handle(5), -5).second);
        EXPECT_EQ(table.Size(), 3000U);
        for (int i = 1; i <= 3000; ++i) {
            ASSERT_NE(table.Find(handle(i)), nullptr);
            EXPECT_EQ(*table.Find(handle(i)), i);
        }
        EXPECT_EQ(table.Find(handle(3001)), nullptr);
        table.Clear(10);
        EXPECT_EQ(table.Find(handle(1)), nullptr);
    }
    for (int i = 1; i <= 100; ++i) {
        table.TryEmplace(handle(i), i);
    }
    table.Retain([](int value) { return value % 2 == 0; });
    EXPECT_EQ(table.Size(), 50U);
    EXPECT_EQ(table.Find(handle(3)), nullptr);
    ASSERT_NE(table.Find(handle(4)), nullptr);
    EXPECT_EQ(*table.Find(handle(4)), 4);
}

}  // namespace
}  // namespace ombrel::testing
