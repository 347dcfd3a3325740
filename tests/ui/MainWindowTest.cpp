#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "platform/Text.h"

namespace ombrel::testing {
namespace {

using ::testing::ElementsAre;

class BarButtons : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        app = OpenApp();
        StartProgram();
    }
    WindowHandle app{};
};

TEST_F(BarButtons, DesktopButtonFourMovesTheMarkerAndTheTag) {
    Click(bar::kDesktop, 3);
    const Control& button = Bar().Controls(bar::kDesktop, 3);
    const Control& marker = Bar().Controls(bar::kMarker);
    EXPECT_FLOAT_EQ(marker.Left(), button.Left() - 30);
    EXPECT_FLOAT_EQ(marker.Top(), button.Top() - 30);
    EXPECT_EQ(Bar().Tag(), u"3");
    EXPECT_FALSE(Visible(app));
}

TEST_F(BarButtons, ClickOnTheCurrentDesktopsButtonChangesNothing) {
    Click(bar::kDesktop, 0);
    EXPECT_EQ(Bar().Caption(), u"Ombrel200902");
    EXPECT_TRUE(Visible(app));
}

TEST_F(BarButtons, DesktopAndTaskbarButtonsToggleTheShellWindows) {
    // A second screen has a taskbar of its own: both go and come back together.
    const WindowHandle second = fake.desktop.OpenWindow({.className = u"Shell_SecondaryTrayWnd"});
    Click(bar::kDesktopIcons);
    Click(bar::kTaskbar);
    EXPECT_FALSE(Visible(progMan));
    EXPECT_FALSE(Visible(trayWnd));
    EXPECT_FALSE(Visible(second));
    Click(bar::kDesktopIcons);
    Click(bar::kTaskbar);
    EXPECT_TRUE(Visible(progMan));
    EXPECT_TRUE(Visible(trayWnd));
    EXPECT_TRUE(Visible(second));
}

TEST_F(BarButtons, TheIconsAreToggledWhereTheShellKeepsThemAndFoundAgainAfterItRestarts) {
    // The shell has moved the icon view from Progman into a WorkerW.
    const WindowHandle worker = fake.desktop.OpenWindow({.className = u"WorkerW"});
    fake.desktop.Get(worker).children.push_back(u"SHELLDLL_DefView");
    Click(bar::kDesktopIcons);
    EXPECT_FALSE(Visible(worker));
    EXPECT_TRUE(Visible(progMan));
    Click(bar::kTaskbar);
    EXPECT_FALSE(Visible(trayWnd));

    // Explorer restarts: new windows, shown by the new shell, with the view back in Progman.
    for (WindowHandle old : {progMan, trayWnd, worker}) {
        fake.desktop.CloseWindow(old);
    }
    // The shell announces itself before its desktop window is there.
    const WindowHandle newTaskbar = fake.desktop.OpenWindow({.className = u"Shell_TrayWnd"});
    fake.desktop.BroadcastMessage(fake.desktop.RegisterMessage(u"TaskbarCreated"));
    EXPECT_FALSE(Visible(newTaskbar));  // the user had hidden them: hidden again
    const WindowHandle newProgman = fake.desktop.OpenWindow({.className = u"Progman"});
    fake.desktop.Get(newProgman).children.push_back(u"SHELLDLL_DefView");
    Tick();
    EXPECT_FALSE(Visible(newProgman));
    EXPECT_EQ(fake.log.Count(u"资源管理器已重新启动"), 1U);

    Click(bar::kDesktopIcons);
    Click(bar::kTaskbar);
    EXPECT_TRUE(Visible(newProgman));
    EXPECT_TRUE(Visible(newTaskbar));
    // Known by class, they stay out of every desktop.
    Tick();
    Click(bar::kDesktop, 1);
    EXPECT_TRUE(Visible(newProgman));
    EXPECT_TRUE(Visible(newTaskbar));
}

TEST_F(BarButtons, AfterAScreenChangeABarOffEveryScreenComesBackToTheCornerAndAVisibleOneStays) {
    constexpr float kPrimary = fakes::FakeFormRuntime::kScreenWidthTwips;
    const ScreenArea primary{0, 0, kPrimary, 1040 * 15};
    const ScreenArea right{kPrimary, 0, 2 * kPrimary, 1080 * 15};
    fake.forms.SetWorkAreas({primary, right});
    Bar().SetLeft(kPrimary + 1000);  // the user put it on the second screen
    Bar().SetTop(500);
    fake.desktop.SendMessage(Bar().hWnd(), 0x007E);  // WM_DISPLAYCHANGE: still there
    EXPECT_FLOAT_EQ(Bar().Left(), kPrimary + 1000);

    fake.forms.SetWorkAreas({primary});  // undocked
    fake.desktop.SendMessage(Bar().hWnd(), 0x007E);
    EXPECT_FLOAT_EQ(Bar().Left() + Bar().Width(), kPrimary);
    EXPECT_FLOAT_EQ(Bar().Top(), 0);

    Bar().SetLeft(kPrimary - 100);  // a sliver of 100 twips is no handle to grab
    fake.desktop.SendMessage(Bar().hWnd(), 0x007E);
    EXPECT_FLOAT_EQ(Bar().Left() + Bar().Width(), kPrimary);
}

TEST_F(BarButtons, EachDesktopButtonListsItsWindowsAndADesktopWithWindowsIsBold) {
    Control& one = Bar().Controls(bar::kDesktop, 0);
    Control& two = Bar().Controls(bar::kDesktop, 1);
    // As the tooltip asks when the mouse rests on the button.
    const auto tip = [this](Control& button) -> const std::u16string& {
        Bar().RaiseToolTipNeeded(bar::kDesktop, button.Index());
        return button.ToolTipText();
    };
    EXPECT_EQ(tip(one), u"Ctrl+F1\r\n（无标题）");  // the app opened at set-up
    EXPECT_TRUE(one.Bold());
    EXPECT_EQ(tip(two), u"Ctrl+F2\r\n（空）");
    EXPECT_FALSE(two.Bold());

    fake.desktop.SetTitle(app, u"报告.docx - 文字处理");
    EXPECT_EQ(tip(one), u"Ctrl+F1\r\n报告.docx - 文字处理");  // as it reads now
    Click(bar::kDesktop, 1);
    std::vector<WindowHandle> many;
    for (int window = 1; window <= 12; ++window) {
        many.push_back(fake.desktop.OpenWindow({.title = u"窗口 " + DecimalText(window)}));
    }
    Tick();
    std::u16string expected = u"Ctrl+F2";
    for (int window = 12; window > 2; --window) {
        expected += u"\r\n窗口 " + DecimalText(window);  // top first
    }
    EXPECT_EQ(tip(two), expected + u"\r\n另有 2 个窗口");
    EXPECT_TRUE(two.Bold());

    for (WindowHandle window : many) {
        fake.desktop.CloseWindow(window);
    }
    Tick();
    EXPECT_EQ(tip(two), u"Ctrl+F2\r\n（空）");
    EXPECT_FALSE(two.Bold());
    EXPECT_TRUE(one.Bold());
    EXPECT_EQ(Bar().Controls(bar::kMarker).Left(), two.Left() - 30);  // the marker stays
}

TEST_F(BarButtons, HideKeepsTheTimerAndHotkeysRunning) {
    Click(bar::kHide);
    EXPECT_FALSE(Bar().Visible());
    EXPECT_TRUE(Bar().IsLoaded());
    const WindowHandle late = OpenApp();
    Tick();
    EXPECT_THAT(Set(0), ElementsAre(late, app));
    EXPECT_TRUE(Press(1));
    EXPECT_FALSE(Visible(late));
}

TEST_F(BarButtons, HelpButtonShowsOneHelpWindowAgainAndAgain) {
    Click(bar::kHelp);
    const WindowHandle help = program->frmHelp().hWnd();
    EXPECT_TRUE(Visible(help));
    program->frmHelp().Hide();
    Click(bar::kHelp);
    EXPECT_EQ(program->frmHelp().hWnd(), help);
    EXPECT_TRUE(Visible(help));
    EXPECT_EQ(fake.forms.CreateCount(u"frmHelp"), 1);
}

TEST_F(BarButtons, DoubleClickOnTheBarOpensTheSettingsDialogLikeTheSettingsButton) {
    Bar().RaiseDblClick();
    EXPECT_TRUE(program->frmConfig().Visible());
    const WindowHandle dialog = program->frmConfig().hWnd();
    Click(bar::kSettings);
    EXPECT_EQ(program->frmConfig().hWnd(), dialog);
    EXPECT_EQ(fake.forms.CreateCount(u"frmConfig"), 1);
}

TEST_F(BarButtons, TheTimerRefreshesOnlyTheCurrentDesktop) {
    Click(bar::kDesktop, 2);
    const WindowHandle onThree = OpenApp();
    Tick();
    EXPECT_THAT(Set(2), ElementsAre(onThree));
    EXPECT_THAT(Set(0), ElementsAre(app));
}

TEST_F(BarButtons, ExitShowsEverythingAndEndsTheProcess) {
    Click(bar::kDesktop, 1);
    Click(bar::kExit);
    EXPECT_TRUE(Visible(app));
    EXPECT_TRUE(fake.forms.ProcessEnded());
}

TEST_F(BarButtons, TheWheelGoesToTheNextOrPreviousDesktopOneWholeNotchAtATime) {
    const auto wheel = [this](int delta) {
        Bar().RaiseMouseWheel(delta);
        return Engine().CurrentDesktop();
    };
    EXPECT_EQ(wheel(-120), 1);  // towards the user: the next one
    EXPECT_EQ(wheel(240), 8);   // two notches away: back past desktop 1 to the last
    // A touchpad's small steps add up to a notch, and a turn back starts afresh.
    EXPECT_EQ(wheel(-40), 8);
    EXPECT_EQ(wheel(-40), 8);
    EXPECT_EQ(wheel(30), 8);
    EXPECT_EQ(wheel(90), 7);
    EXPECT_EQ(wheel(-119), 7);
    EXPECT_EQ(wheel(-1), 8);
    EXPECT_EQ(Bar().Tag(), u"8");
}

TEST_F(BarButtons, ADesktopButtonsMenuListsItsWindowsAndTheOneChosenComesInFrontWithTheKeys) {
    fake.desktop.SetTitle(app, u"报告.docx");
    fake.desktop.Get(app).minimized = true;
    const WindowHandle mail = OpenApp(kAppThread + 1);
    fake.desktop.SetTitle(mail, u"收件箱");
    Tick();
    Click(bar::kDesktop, 2);
    const WindowHandle other = OpenApp(kAppThread + 2);
    Tick();
    // Another program had the last input; then the user right-clicks and chooses in our menu.
    fake.desktop.InputTo(kAppThread + 2);
    fake.desktop.InputTo(fakes::FakeDesktop::kOwnThread);
    fake.forms.ChooseInMenu(1);
    Bar().RaiseControlContextMenu(bar::kDesktop, 0);
    EXPECT_THAT(fake.forms.LastMenu(), ElementsAre(u"收件箱", u"报告.docx"));  // top first
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), app);
    EXPECT_EQ(fake.desktop.VisibleWindows().front(), app);
    EXPECT_FALSE(fake.desktop.IsMinimized(app));  // back to its size, as from its taskbar button
    EXPECT_FALSE(Visible(other));

    // On the current desktop the window chosen comes in front where it stands.
    Tick();
    fake.forms.ChooseInMenu(1);
    Bar().RaiseControlContextMenu(bar::kDesktop, 0);
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), mail);

    // An empty desktop says so, and nothing there can be chosen.
    fake.forms.ChooseInMenu(0);
    Bar().RaiseControlContextMenu(bar::kDesktop, 5);
    EXPECT_THAT(fake.forms.LastMenu(), ElementsAre(u"（没有窗口）"));
    EXPECT_THAT(fake.forms.LastMenuEnabled(), ElementsAre(false));
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    // Any other button keeps the bar's own menu.
    fake.forms.ChooseInMenu(-1);
    Bar().RaiseControlContextMenu(bar::kHelp, kNoIndex);
    EXPECT_EQ(fake.forms.LastMenu().size(), 3U);
}

TEST_F(BarButtons, AWindowLetGoOverADesktopButtonGoesThereWithItsFamilyAndNowhereElse) {
    const WindowHandle dialog = fake.desktop.OpenWindow({.thread = kAppThread, .owner = app});
    const WindowHandle other = OpenApp(kAppThread + 1);
    Tick();
    const Control& four = Bar().Controls(bar::kDesktop, 3);
    const float clientLeft = Bar().Left() + fakes::FakeFormRuntime::kFrameWidthTwips / 2;
    const float clientTop = Bar().Top() + fakes::FakeFormRuntime::kCaptionHeightTwips;
    // Let go on the bar beside the buttons, and far from the bar: it stays.
    fake.forms.DropWindowAt(other, clientLeft + four.Left() - 50, clientTop + four.Top());
    fake.forms.DropWindowAt(other, clientLeft - 3000, clientTop + four.Top() + 100);
    EXPECT_TRUE(Visible(other));
    EXPECT_THAT(Set(3), ::testing::IsEmpty());

    fake.forms.DropWindowAt(dialog, clientLeft + four.Left() + 100, clientTop + four.Top() + 100);
    EXPECT_FALSE(Visible(dialog));
    EXPECT_FALSE(Visible(app));
    EXPECT_THAT(Set(3), ::testing::UnorderedElementsAre(app, dialog));
    EXPECT_THAT(Set(0), ElementsAre(other));
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
    EXPECT_TRUE(four.Bold());
}

TEST_F(BarButtons, AWindowThatFlashesOnAnotherDesktopMarksItsButtonUntilTheUserGoesThere) {
    Control& one = Bar().Controls(bar::kDesktop, 0);
    Control& two = Bar().Controls(bar::kDesktop, 1);
    fake.desktop.SetTitle(app, u"聊天");
    Click(bar::kDesktop, 1);
    const WindowHandle here = OpenApp();
    Tick();
    // The current desktop's windows flash where the user sees them; the bar is in no set.
    fake.desktop.FlashWindow(here);
    fake.desktop.FlashWindow(Bar().hWnd());
    EXPECT_FALSE(two.Marked());
    EXPECT_FALSE(one.Marked());

    const auto& watch = fake.commands.Send(u"watch");
    fake.desktop.FlashWindow(app);  // hidden, on desktop 1
    EXPECT_TRUE(one.Marked());
    Bar().RaiseToolTipNeeded(bar::kDesktop, 0);
    EXPECT_EQ(one.ToolTipText(), u"Ctrl+F1\r\n请求注意：聊天\r\n聊天");
    ASSERT_EQ(watch.lines.size(), 1U);  // a status bar hears of it too
    EXPECT_NE(watch.lines[0].find(R"("event":"attention")"), std::string::npos);
    EXPECT_NE(watch.lines[0].find(R"("desktop":1)"), std::string::npos);
    Click(bar::kDesktop, 0);
    EXPECT_FALSE(one.Marked());
    Bar().RaiseToolTipNeeded(bar::kDesktop, 0);
    EXPECT_EQ(one.ToolTipText(), u"Ctrl+F1\r\n聊天");

    // A window that asked and then left its desktop (its program showed it here) asks no more
    // from there.
    Click(bar::kDesktop, 1);
    fake.desktop.FlashWindow(app);
    EXPECT_TRUE(one.Marked());
    fake.desktop.SetVisibleByOwner(app, true);
    for (int refresh = 0; refresh < 3; ++refresh) {
        Tick();
    }
    EXPECT_FALSE(one.Marked());
}

}  // namespace
}  // namespace ombrel::testing
