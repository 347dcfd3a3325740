#include <gtest/gtest.h>

#include "RunningProgram.h"

namespace ombrel::testing {
namespace {

constexpr std::uint32_t kCtrl = ModControl;
constexpr std::uint32_t kCtrlAlt = ModControl | ModAlt;
constexpr std::uint32_t F(int n) {
    return kVkF1 + static_cast<std::uint32_t>(n - 1);
}

TEST(HotkeyTable, CtrlF1ToF12ThenCtrlAltF1ToF9WithTheIdAsCommandCode) {
    ASSERT_EQ(kHotkeyTable.size(), 21U);
    for (int id = 0; id <= 11; ++id) {
        EXPECT_EQ(kHotkeyTable[id].id, id);
        EXPECT_EQ(kHotkeyTable[id].modifiers, kCtrl);
        EXPECT_EQ(kHotkeyTable[id].virtualKey, F(id + 1));
    }
    for (int id = 12; id <= 20; ++id) {
        EXPECT_EQ(kHotkeyTable[id].modifiers, kCtrlAlt);
        EXPECT_EQ(kHotkeyTable[id].virtualKey, F(id - 11));
    }
}

using Hotkeys = RunningProgram;

TEST_F(Hotkeys, AllTwentyOneAreHeldByTheBarAndCtrlAltF10IsLeftFree) {
    StartProgram();
    EXPECT_EQ(fake.desktop.HotkeysHeldBy(ProgramWindow()), 21U);
    EXPECT_FALSE(fake.desktop.IsCombinationHeld(kCtrlAlt, F(10)));
    EXPECT_FALSE(fake.desktop.PressHotkey(kCtrlAlt, F(10)));
}

TEST_F(Hotkeys, KeysOfOnesOwnRunTheirCommandsAndAPauseFreesAllButItself) {
    using Kind = Command::Kind;
    StartProgram();
    constexpr std::uint32_t kP = 0x50;
    KeyBindings keys = DescribedKeyBindings();
    keys[3].command = Command::SwitchTo(6);  // Ctrl+F4 now goes to desktop 7
    keys.push_back({kCtrlAlt, kP, {Kind::Pause}, u"Ctrl+Alt+P"});
    SettingsInForce settings;
    settings.keys = keys;
    settings.keysWindow = ProgramWindow();
    EXPECT_TRUE(Engine().Run(settings).refusedKeys.empty());
    fake.desktop.PressHotkey(kCtrl, F(4));
    EXPECT_EQ(Engine().CurrentDesktop(), 6);

    fake.desktop.PressHotkey(kCtrlAlt, kP);
    EXPECT_TRUE(Engine().KeysPaused());
    EXPECT_FALSE(fake.desktop.IsCombinationHeld(kCtrl, F(1)));  // a game may have it now
    EXPECT_TRUE(fake.desktop.IsCombinationHeld(kCtrlAlt, kP));
    EXPECT_EQ(Bar().Caption(), u"这是桌面-7（热键已暂停）");
    Bar().RaiseToolTipNeeded(bar::kDesktop, 0);
    EXPECT_EQ(Bar().Controls(bar::kDesktop, 0).ToolTipText().substr(0, 14),
              u"Ctrl+F1（热键已暂停）");
    EXPECT_EQ(fake.commands.Send(u"pause").exitCode, kExitDone);
    EXPECT_FALSE(Engine().KeysPaused());
    EXPECT_TRUE(fake.desktop.IsCombinationHeld(kCtrl, F(1)));
    EXPECT_EQ(Bar().Caption(), u"这是桌面-7");

    // Asked for in the settings file: a full-screen program in front pauses them for a while.
    settings.pauseInFullScreen = true;
    Engine().Run(settings);
    const WindowHandle game = fake.desktop.OpenWindow({.className = u"Game", .fullScreen = true});
    fake.desktop.SetForeground(game);
    Tick();
    EXPECT_TRUE(Engine().KeysPaused());
    fake.desktop.CloseWindow(game);
    Tick();
    EXPECT_FALSE(Engine().KeysPaused());

    // A maximised window on a screen without a taskbar, or a large one with a title bar, covers
    // the screen too, and is no game.
    constexpr std::uint32_t kCaption = 0x00C00000;
    constexpr std::uint32_t kMaximized = 0x01000000;
    for (const std::uint32_t style : {kMaximized, kCaption}) {
        const WindowHandle large = fake.desktop.OpenWindow(
            {.className = u"Editor", .styles = {style, 0}, .fullScreen = true});
        fake.desktop.SetForeground(large);
        Tick();
        EXPECT_FALSE(Engine().KeysPaused());
        fake.desktop.CloseWindow(large);
    }
}

TEST_F(Hotkeys, AKeyHeldDownIsOnePress) {
    StartProgram();
    ASSERT_TRUE(Visible(trayWnd));
    fake.desktop.PressHotkey(kCtrl, F(11), 3);  // held: the keyboard repeats it three times
    EXPECT_FALSE(Visible(trayWnd));
}

TEST_F(Hotkeys, CtrlF3FromAnotherProgramSwitchesLikeTheButton) {
    const WindowHandle app = OpenApp();
    StartProgram();
    ASSERT_TRUE(fake.desktop.PressHotkey(kCtrl, F(3)));
    EXPECT_EQ(Bar().Tag(), u"2");
    EXPECT_FALSE(Visible(app));
}

TEST_F(Hotkeys, CtrlAltF2SendsTheActiveWindowAndCtrlF2BringsItBack) {
    const WindowHandle app = OpenApp();
    StartProgram();
    fake.desktop.SetForeground(app);
    fake.desktop.PressHotkey(kCtrlAlt, F(2));
    EXPECT_FALSE(Visible(app));
    fake.desktop.PressHotkey(kCtrl, F(2));
    EXPECT_TRUE(Visible(app));

    // On desktop 2 the same combination sends to the current desktop: nothing happens.
    fake.desktop.SetForeground(app);
    fake.desktop.PressHotkey(kCtrlAlt, F(2));
    EXPECT_TRUE(Visible(app));
}

TEST_F(Hotkeys, CtrlF12ShowsAHiddenBarAgainAlsoAfterTheHideButton) {
    StartProgram();
    fake.desktop.PressHotkey(kCtrl, F(12));
    EXPECT_FALSE(Bar().Visible());
    fake.desktop.PressHotkey(kCtrl, F(12));
    EXPECT_TRUE(Bar().Visible());
    Click(bar::kHide);
    EXPECT_FALSE(Bar().Visible());
    fake.desktop.PressHotkey(kCtrl, F(12));
    EXPECT_TRUE(Bar().Visible());
}

TEST_F(Hotkeys, ACombinationHeldElsewhereLeavesTheOtherTwentyAndTheButtonWorking) {
    fake.desktop.HoldHotkeyElsewhere(kCtrl, F(5));
    const WindowHandle app = OpenApp();
    StartProgram();
    EXPECT_EQ(fake.desktop.HotkeysHeldBy(ProgramWindow()), 20U);
    EXPECT_EQ(fake.log.Count(u"热键 Ctrl+F5 未能注册（代码 1409）"), 1U);
    Bar().RaiseToolTipNeeded(bar::kDesktop, 4);
    EXPECT_EQ(Bar().Controls(bar::kDesktop, 4).ToolTipText(),
              u"Ctrl+F5 已被其他程序占用\r\n（空）");
    Bar().RaiseToolTipNeeded(bar::kDesktop, 5);
    EXPECT_EQ(Bar().Controls(bar::kDesktop, 5).ToolTipText(), u"Ctrl+F6\r\n（空）");
    EXPECT_FALSE(fake.desktop.PressHotkey(kCtrl, F(5)));
    EXPECT_EQ(Bar().Tag(), u"0");

    fake.desktop.PressHotkey(kCtrl, F(6));
    EXPECT_EQ(Bar().Tag(), u"5");
    Click(bar::kDesktop, 4);
    EXPECT_EQ(Bar().Tag(), u"4");
    EXPECT_FALSE(Visible(app));
}

TEST_F(Hotkeys, NoMessageOfAnotherProgramRunsACommandOrEndsOmbrel) {
    const WindowHandle notes = OpenApp();
    StartProgram();
    // An administrator's Ombrel hears the shell's restart from the shell, and nothing else.
    EXPECT_TRUE(fake.desktop.AllowedFromAnyProgram(
        ProgramWindow(), fake.desktop.RegisterMessage(u"TaskbarCreated")));
    EXPECT_FALSE(fake.desktop.AllowedFromAnyProgram(ProgramWindow(), 0x004A));  // WM_COPYDATA
    // What other programs post to every window in the private range ends nothing.
    for (const WindowHandle window : {Bar().hWnd(), ProgramWindow()}) {
        for (const std::intptr_t value :
             {std::intptr_t{0}, std::intptr_t{1}, std::intptr_t{-1}, std::intptr_t{0x12345678}}) {
            fake.desktop.SendMessage(window, 0x8001, 0, value);
        }
    }
    EXPECT_EQ(fake.forms.EndCount(), 0);
    EXPECT_TRUE(fake.commands.Send(u"exit").answered);
    EXPECT_TRUE(Visible(notes));
    EXPECT_EQ(fake.forms.EndCount(), 1);
}

TEST_F(Hotkeys, TheProgramWindowTakesTheKeysAndHandsTheRestToTheSystem) {
    StartProgram();
    const WindowHandle window = ProgramWindow();
    EXPECT_FALSE(Visible(window));  // never shown, and no desktop's
    EXPECT_FALSE(Engine().IsTaskWindow(window));
    const std::intptr_t result = fake.desktop.SendMessage(window, 0x0010, 7, -3);
    EXPECT_EQ(result, 0x0011);  // what the system's default answered
    fake.desktop.PressHotkey(kCtrl, F(2));
    fake.desktop.SendMessage(window, kWmHotkey, 77);  // an id nobody registered: no command

    const auto& seen = fake.desktop.Get(window).received;
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].message, 0x0010U);
    EXPECT_EQ(seen[0].wParam, 7U);
    EXPECT_EQ(seen[0].lParam, -3);
    EXPECT_EQ(Bar().Tag(), u"1");
    // Nothing listens on the bar: a key's message sent to it runs nothing.
    fake.desktop.SendMessage(Bar().hWnd(), kWmHotkey, 4);
    EXPECT_EQ(Bar().Tag(), u"1");
}

}  // namespace
}  // namespace ombrel::testing
