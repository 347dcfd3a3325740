#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "FakeFormRuntime.h"
#include "FakeLog.h"
#include "FakeRegistry.h"
#include "RunningProgram.h"
#include "engine/DesktopEngine.h"

namespace ombrel::testing {
namespace {

using ::testing::ElementsAre;

// The engine on the fake desktop alone, with a bar that only records what it is told.
class EngineAlone : public ::testing::Test, private BarView {
  protected:
    void SelectDesktopButton(int index) override { marked = index; }
    void NameDesktop(int index) override { named = index; }
    void DesktopsRenamed() override {}
    void ShowKeysPaused(bool /*paused*/) override {}
    bool BarShown() const override { return shown; }
    void ShowBar(bool show) override { shown = show; }
    WindowHandle BarWindow() const override { return WindowHandle::None; }
    // As the key of the id would.
    void PressKey(int id) {
        if (const std::optional<Command> command = engine.CommandOfKey(id)) {
            engine.Run(*command);
        }
    }
    void ShowDesktopHoldsWindows(int /*index*/, bool /*holdsWindows*/) override {}
    void ShowDesktopWantsAttention(int /*index*/, bool /*wants*/) override {}

    fakes::FakeDesktop desktop;
    fakes::FakeRegistry registry;
    fakes::FakeLog log;
    fakes::FakeFormRuntime process{desktop};
    Texts texts;
    RecoveryList recovery{registry, desktop, log, texts, process};
    DesktopEngine engine{desktop, desktop, *this, recovery, log, texts};
    int marked = -1;
    int named = -1;
    bool shown = true;
};

TEST_F(EngineAlone, HotkeyIdsBecomeCommandsAndTheEngineKeepsTheCurrentDesktop) {
    const WindowHandle app = desktop.OpenWindow();
    engine.Run(Starting{});
    engine.Run(Refresh{});
    EXPECT_EQ(marked, 0);
    EXPECT_EQ(named, -1);  // the caption is the program's until the first switch

    for (int id : {-1, 21, 300}) {
        PressKey(id);  // no key of ours: ignored
    }
    EXPECT_EQ(engine.CurrentDesktop(), 0);
    EXPECT_TRUE(desktop.IsWindowVisible(app));

    PressKey(kFirstSwitchCode + 6);
    EXPECT_EQ(engine.CurrentDesktop(), 6);
    EXPECT_EQ(marked, 6);
    EXPECT_EQ(named, 6);
    EXPECT_FALSE(desktop.IsWindowVisible(app));
    PressKey(kToggleBar);
    EXPECT_FALSE(shown);
    engine.Run(Command::SwitchTo(9));  // no such desktop
    EXPECT_EQ(engine.CurrentDesktop(), 6);

    EXPECT_EQ(CommandFromCode(kFirstSendCode + 8), Command::SendTo(8));
    EXPECT_EQ(CommandFromCode(kToggleTaskbar), Command{Command::Kind::ToggleTaskbar});
}

class Switching : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        one = OpenApp();
        two = OpenApp();
        StartProgram();
    }
    Control& Marker() { return Bar().Controls(bar::kMarker); }

    WindowHandle one{};
    WindowHandle two{};
};

TEST_F(Switching, SwitchHidesTheCurrentSetShowsTheTargetAndMovesCaptionTagAndMarker) {
    Press(2);
    EXPECT_FALSE(Visible(one));
    EXPECT_FALSE(Visible(two));
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
    EXPECT_EQ(Bar().Caption(), u"这是桌面-3");
    EXPECT_EQ(Bar().Tag(), u"2");
    EXPECT_FLOAT_EQ(Marker().Left(), 90 + 480 * 2);
    EXPECT_FLOAT_EQ(Marker().Top(), 90);

    const WindowHandle three = OpenApp();
    Tick();
    Press(5);
    EXPECT_FALSE(Visible(three));
    EXPECT_EQ(Bar().Caption(), u"这是桌面-6");
    EXPECT_EQ(Bar().Tag(), u"5");
    EXPECT_FLOAT_EQ(Marker().Left(), 90 + 480 * 5);

    Press(0);
    EXPECT_TRUE(Visible(one));
    EXPECT_TRUE(Visible(two));
    EXPECT_FALSE(Visible(three));
    Press(2);
    EXPECT_TRUE(Visible(three));
    EXPECT_FALSE(Visible(one));
}

TEST_F(Switching, SwitchToTheCurrentDesktopChangesNothing) {
    const int calls = fake.desktop.AsyncShowCalls() + fake.desktop.SyncShowCalls();
    Press(0);
    EXPECT_EQ(fake.desktop.AsyncShowCalls() + fake.desktop.SyncShowCalls(), calls);
    EXPECT_EQ(Bar().Caption(), u"Ombrel200902");
    EXPECT_FLOAT_EQ(Marker().Left(), 90);
    EXPECT_TRUE(Visible(one));
}

TEST_F(Switching, AWindowThatRefusesToBeHiddenStaysOnEveryDesktopAndIsLoggedOnce) {
    const WindowHandle elevated =
        fake.desktop.OpenWindow({.className = u"AdminTool", .elevated = true});
    Tick();
    Press(1);
    EXPECT_TRUE(Visible(elevated));
    EXPECT_FALSE(Visible(one));
    const int calls = fake.desktop.AsyncShowCalls();
    for (int round = 0; round < 3; ++round) {
        Tick();
        Press(0);
        Tick();
        Press(1);
    }
    // One hide and one show of each of the two others per round trip, none for it.
    EXPECT_EQ(fake.desktop.AsyncShowCalls() - calls, 3 * 4);
    for (int index = 0; index < kDesktopCount; ++index) {
        EXPECT_THAT(Set(index), ::testing::Not(::testing::Contains(elevated)));
    }
    EXPECT_FALSE(Engine().Known().HiddenByUs(elevated));
    EXPECT_EQ(fake.log.Count(u"无法隐藏窗口"), 1U);

    // Nor does sending it move it anywhere.
    const WindowHandle other =
        fake.desktop.OpenWindow({.className = u"AdminTool", .elevated = true});
    fake.desktop.SetForeground(other);
    Press(kFirstSendCode + 4);
    EXPECT_TRUE(Visible(other));
    EXPECT_THAT(Set(4), ::testing::IsEmpty());
}

// Windows gives the foreground only to the program that has it, got the last input, or was
// allowed by one of those; the fake desktop keeps that rule.
TEST_F(Switching, TheEnteredTopWindowGetsTheKeyboardWhereWindowsLocksTheForeground) {
    fake.desktop.SetForeground(two);
    Press(1);  // an empty desktop: the keys go to the desktop, as after a click on it
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), progMan);
    const WindowHandle three = OpenApp();
    Tick();
    Press(0);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), two);

    // From a prompt: the client the user started passes its right on to the instance.
    constexpr fakes::ThreadId kPrompt = 40;
    fake.desktop.InputTo(kPrompt);
    ASSERT_TRUE(fake.desktop.AllowForegroundFrom(kPrompt, fakes::FakeDesktop::kOwnThread));
    EXPECT_EQ(fake.commands.Send(u"switch 2").exitCode, kExitDone);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), three);
}

// The right to take the foreground ends at the user's next input, the hotkey's own release, to
// our focus holder: a program that shows its window after that still gets the keyboard.
TEST_F(Switching, TheEnteredTopWindowGetsTheKeyboardHoweverLateItsProgramShowsIt) {
    constexpr fakes::ThreadId kBusyThread = 43;
    const WindowHandle busy = OpenApp(kBusyThread);
    Tick();
    Press(1);
    fake.desktop.HangThread(kBusyThread);
    Press(0);
    fake.desktop.InputTo(fakes::FakeDesktop::kOwnThread);
    fake.desktop.ResumeThread(kBusyThread);
    EXPECT_TRUE(Visible(busy));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), busy);

    // A program that does not respond is never handed the keyboard: the next window is.
    fake.desktop.HangThread(kBusyThread, true);
    Press(1);
    Press(0);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), two);
    fake.desktop.ResumeThread(kBusyThread);

    // The keyboard left on the holder goes to the desktop's top window at the next refresh,
    // on an empty desktop to the desktop.
    fake.desktop.SetForeground(fakes::FakeDesktop::kFocusHolder);
    Tick();
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), two);
    Press(2);
    fake.desktop.SetForeground(fakes::FakeDesktop::kFocusHolder);
    Tick();
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), progMan);
}

TEST_F(Switching, WindowOpenedSinceTheLastTickStaysOnTheDesktopBeingEntered) {
    const WindowHandle late = OpenApp();
    Press(1);
    EXPECT_TRUE(Visible(late));
    EXPECT_FALSE(Visible(one));
    Tick();
    EXPECT_THAT(Set(1), ElementsAre(late));
}

TEST_F(Switching, StaleHandleIsSkippedAndTheRestOfTheSetStillProcessed) {
    fake.desktop.CloseWindow(two);  // set 0 still holds it until the next tick
    Press(1);
    EXPECT_FALSE(Visible(one));
    Press(0);
    EXPECT_TRUE(Visible(one));
}

TEST_F(Switching, EnteringADesktopThatNeverHadWindowsShowsNothing) {
    Press(8);
    EXPECT_FALSE(Visible(one));
    EXPECT_TRUE(Visible(progMan));
    EXPECT_TRUE(Visible(trayWnd));
}

TEST_F(Switching, SendHidesTheForegroundWindowUntilItsDesktopIsEntered) {
    fake.desktop.SetForeground(one);
    Press(kFirstSendCode + 3);
    EXPECT_FALSE(Visible(one));
    EXPECT_THAT(Set(3), ElementsAre(one));
    EXPECT_EQ(Bar().Tag(), u"0");

    Tick();
    EXPECT_THAT(Set(0), ElementsAre(two));
    Press(3);
    EXPECT_TRUE(Visible(one));
    EXPECT_FALSE(Visible(two));
}

TEST_F(Switching, ASentWindowBelongsToItsTargetAloneEvenBeforeTheNextTick) {
    fake.desktop.SetForeground(one);
    Press(kFirstSendCode + 1);
    Press(1);  // no tick in between
    EXPECT_TRUE(Visible(one));
    Press(0);
    EXPECT_FALSE(Visible(one));
    EXPECT_TRUE(Visible(two));
}

TEST_F(Switching, SendingADialogTakesItsProgramAndTheProgramsOtherWindowsAlong) {
    const WindowHandle palette = fake.desktop.OpenWindow({.thread = kAppThread, .owner = one});
    const WindowHandle dialog = fake.desktop.OpenWindow({.thread = kAppThread, .owner = palette});
    Tick();
    fake.desktop.SetForeground(dialog);
    Press(kFirstSendCode + 4);
    EXPECT_FALSE(Visible(one));
    EXPECT_FALSE(Visible(palette));
    EXPECT_FALSE(Visible(dialog));
    EXPECT_TRUE(Visible(two));
    EXPECT_THAT(Set(4), ElementsAre(dialog, palette, one));
    Press(4);
    EXPECT_TRUE(Visible(one));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), dialog);
}

TEST_F(Switching, AHandleReusedByAnotherProgramWhileItsWindowWasAwayIsNotShown) {
    Press(1);
    fake.desktop.CloseWindow(one);
    const WindowHandle stranger =
        fake.desktop.OpenWindow({.visible = false, .thread = 99, .reuse = one});
    ASSERT_EQ(stranger, one);
    Press(0);
    EXPECT_FALSE(Visible(stranger));
    EXPECT_TRUE(Visible(two));
}

TEST_F(Switching, AHandleReusedWhileItsWindowWasParkedNamesTheNewWindowFromThenOn) {
    for (const bool seenHidden : {false, true}) {
        Press(1);
        if (seenHidden) {
            Tick();
        }
        const WindowHandle parked = Set(0).front();
        fake.desktop.CloseWindow(parked);
        const WindowHandle stranger = fake.desktop.OpenWindow({.thread = 99, .reuse = parked});
        ASSERT_EQ(stranger, parked);
        Tick();
        // At once: what we asked was of the old window.
        EXPECT_THAT(Set(1), ::testing::Contains(stranger));
        EXPECT_THAT(Set(0), ::testing::Not(::testing::Contains(stranger)));
        Press(2);
        EXPECT_FALSE(Visible(stranger));
        Press(1);
        EXPECT_TRUE(Visible(stranger)) << seenHidden;
        Press(0);
    }
}

TEST_F(Switching, MoveTakesTheWindowAlongAndNextPreviousAndLastAimFromTheCurrentDesktop) {
    using Kind = Command::Kind;
    using Target = Command::Target;
    fake.desktop.SetForeground(one);
    const int hidesBefore = fake.desktop.AsyncShowCalls();
    Engine().Run(Command::MoveTo(3));
    EXPECT_EQ(Engine().CurrentDesktop(), 3);
    EXPECT_TRUE(Visible(one));  // never hidden on the way
    EXPECT_FALSE(Visible(two));
    EXPECT_THAT(Set(3), ElementsAre(one));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), one);
    EXPECT_EQ(fake.desktop.AsyncShowCalls() - hidesBefore, 2);  // two hidden, one raised

    Engine().Run(Command::Toward(Kind::Switch, Target::Last));
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    EXPECT_FALSE(Visible(one));
    Engine().Run(Command::Toward(Kind::Switch, Target::Last));
    EXPECT_EQ(Engine().CurrentDesktop(), 3);
    Engine().Run(Command::Toward(Kind::Switch, Target::Next));
    EXPECT_EQ(Engine().CurrentDesktop(), 4);

    Engine().Run(Command::SwitchTo(8));
    Engine().Run(Command::Toward(Kind::Switch, Target::Next));  // wraps around by default
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    Engine().Run(Command::Toward(Kind::Switch, Target::Previous));
    EXPECT_EQ(Engine().CurrentDesktop(), 8);
    Engine().Run(SettingsInForce{.wrap = false, .keysWindow = ProgramWindow()});
    Engine().Run(Command::Toward(Kind::Switch, Target::Next));
    EXPECT_EQ(Engine().CurrentDesktop(), 8);

    Engine().Run(Command::SwitchTo(0));
    fake.desktop.SetForeground(two);
    Engine().Run(Command::Toward(Kind::Send, Target::Previous));  // no desktop before 1
    EXPECT_TRUE(Visible(two));
    Engine().Run(Command::Toward(Kind::Move, Target::Next));
    EXPECT_EQ(Engine().CurrentDesktop(), 1);
    EXPECT_TRUE(Visible(two));
    EXPECT_THAT(Set(1), ElementsAre(two));
}

TEST_F(Switching, APinnedWindowStaysOnEveryDesktopUntilUnpinnedAndANewWindowIsNotPinned) {
    using Kind = Command::Kind;
    fake.desktop.SetForeground(one);
    Engine().Run(Command{Kind::Pin});
    Press(1);
    EXPECT_TRUE(Visible(one));
    EXPECT_FALSE(Visible(two));
    Tick();
    EXPECT_TRUE(Set(1).empty());
    EXPECT_FALSE(Engine().Known().HiddenByUs(one));  // never in the recovery list
    EXPECT_EQ(WindowListText(Engine().State()).substr(0, 4), u"P\t*\t");  // listed once, marked
    Press(0);
    EXPECT_TRUE(Visible(one));

    fake.desktop.SetForeground(one);
    Engine().Run(Command{Kind::PinToggle});  // unpinned: it belongs to desktop 1 again
    Press(2);
    EXPECT_FALSE(Visible(one));
    Press(0);

    fake.desktop.SetForeground(one);
    Engine().Run(Command{Kind::PinToggle});
    fake.desktop.CloseWindow(one);
    const WindowHandle stranger = fake.desktop.OpenWindow({.thread = 99, .reuse = one});
    Tick();
    Press(1);
    EXPECT_FALSE(Visible(stranger));
}

TEST_F(Switching, SendDoesNothingToTheCurrentDesktopOrWithTheBarOrNothingInFront) {
    fake.desktop.SetForeground(one);
    Press(kFirstSendCode + 0);
    EXPECT_TRUE(Visible(one));

    fake.desktop.SetForeground(Bar().hWnd());
    Press(kFirstSendCode + 4);
    EXPECT_TRUE(Bar().Visible());

    fake.desktop.SetForeground(WindowHandle::None);
    Press(kFirstSendCode + 4);
    EXPECT_TRUE(Set(4).empty());
}

TEST_F(Switching, IconAndTaskbarTogglesFlipWhateverTheCallReturns) {
    Press(kToggleDesktopIcons);
    EXPECT_FALSE(Visible(progMan));
    EXPECT_FALSE(Engine().Shell().DesktopIconsShown());
    Press(kToggleDesktopIcons);
    EXPECT_TRUE(Visible(progMan));

    // A taskbar already hidden when we started: the first toggle "hides" it, the second shows.
    fake.desktop.SetVisibleByOwner(trayWnd, false);
    Press(kToggleTaskbar);
    EXPECT_FALSE(Visible(trayWnd));
    fake.desktop.Failures().Fail("ShowWindowAsync", 5, 1);
    Press(kToggleTaskbar);
    EXPECT_TRUE(Engine().Shell().TaskbarShown());
    EXPECT_FALSE(Visible(trayWnd));
    Press(kToggleTaskbar);
    Press(kToggleTaskbar);
    EXPECT_TRUE(Visible(trayWnd));
}

TEST_F(Switching, BarToggleHidesAndShowsTheBarItself) {
    Press(kToggleBar);
    EXPECT_FALSE(Bar().Visible());
    Press(kToggleBar);
    EXPECT_TRUE(Bar().Visible());
}

TEST_F(Switching, AHungProgramsWindowNeverMakesASwitchWait) {
    constexpr fakes::ThreadId kHungThread = 99;
    const WindowHandle frozen = OpenApp(kHungThread);
    Tick();
    fake.desktop.HangThread(kHungThread);

    Press(1);
    Press(0);
    Press(kToggleTaskbar);
    EXPECT_EQ(fake.desktop.HangsObserved(), 0);
    EXPECT_TRUE(Visible(one));  // the rest of the set went through

    fake.desktop.ResumeThread(kHungThread);
    EXPECT_TRUE(Visible(frozen));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), frozen);  // it was on top when we left
}

TEST_F(Switching, OurOwnWindowsAreShownAndHiddenAtOnceOtherProgramsByPosting) {
    Click(bar::kHelp);
    Tick();
    const int syncBefore = fake.desktop.SyncShowCalls();
    const int asyncBefore = fake.desktop.AsyncShowCalls();
    Press(1);
    EXPECT_EQ(fake.desktop.SyncShowCalls() - syncBefore, 1);    // the help window
    EXPECT_EQ(fake.desktop.AsyncShowCalls() - asyncBefore, 2);  // the two apps
}

class RoundTrip : public Switching {
  protected:
    // Windows of three programs on desktop 1 and a few on desktop 2, as the last refresh saw them.
    void Open(int perDesktop) {
        for (int i = 0; i < perDesktop; ++i) {
            OpenApp(static_cast<fakes::ThreadId>(10 + i % 3));
        }
        Tick();
        Press(1);
        for (int i = 0; i < perDesktop; ++i) {
            OpenApp(static_cast<fakes::ThreadId>(20 + i % 3));
        }
        Tick();
        Press(0);
    }
    std::vector<WindowHandle> Stacking() {
        std::vector<WindowHandle> apps = fake.desktop.VisibleWindows();
        std::erase_if(apps, [&](WindowHandle window) {
            return window == progMan || window == trayWnd || window == Bar().hWnd();
        });
        return apps;
    }
};

TEST_F(RoundTrip, KeepsTheStackingOrderAndTheFocusWithOneActivationEachWayAtAnySize) {
    for (int perDesktop : {3, 40}) {
        Open(perDesktop);
        const std::vector<WindowHandle> before = Stacking();
        const WindowHandle active = fake.desktop.GetForegroundWindow();
        ASSERT_EQ(active, before.front());
        const int activations = fake.desktop.Activations();
        Press(1);
        Press(0);
        EXPECT_EQ(Stacking(), before) << perDesktop;
        EXPECT_EQ(fake.desktop.GetForegroundWindow(), active) << perDesktop;
        // Each way: the one the system makes when the last leaving window goes, and the
        // entering top window's.
        EXPECT_LE(fake.desktop.Activations() - activations, 4) << perDesktop;
    }
}

TEST_F(RoundTrip, AWindowRaisedSinceTheLastRefreshLeavesAndComesBackOnTop) {
    Open(3);
    const WindowHandle bottom = Stacking().back();
    fake.desktop.ShowWindow(bottom, ShowCommand::Show);  // its program brings it forward
    ASSERT_EQ(Stacking().front(), bottom);
    const std::vector<WindowHandle> before = Stacking();
    Press(1);
    Press(0);
    EXPECT_EQ(Stacking(), before);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), bottom);
}

}  // namespace
}  // namespace ombrel::testing
