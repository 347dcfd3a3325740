#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunningProgram.h"

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
    Click(u"cmdDesktop", 3);
    const Control& button = Bar().Controls(u"cmdDesktop", 3);
    const Control& marker = Bar().Controls(u"shpSelect");
    EXPECT_FLOAT_EQ(marker.Left(), button.Left() - 30);
    EXPECT_FLOAT_EQ(marker.Top(), button.Top() - 30);
    EXPECT_EQ(Bar().Tag(), u"3");
    EXPECT_FALSE(Visible(app));
}

TEST_F(BarButtons, ClickOnTheCurrentDesktopsButtonChangesNothing) {
    Click(u"cmdDesktop", 0);
    EXPECT_EQ(Bar().Caption(), u"Ombrel200902");
    EXPECT_TRUE(Visible(app));
}

TEST_F(BarButtons, DesktopAndTaskbarButtonsToggleTheShellWindows) {
    Click(u"cmdDesk");
    Click(u"cmdTray");
    EXPECT_FALSE(Visible(progMan));
    EXPECT_FALSE(Visible(trayWnd));
    Click(u"cmdDesk");
    Click(u"cmdTray");
    EXPECT_TRUE(Visible(progMan));
    EXPECT_TRUE(Visible(trayWnd));
}

TEST_F(BarButtons, HideKeepsTheTimerAndHotkeysRunning) {
    Click(u"cmdHide");
    EXPECT_FALSE(Bar().Visible());
    EXPECT_TRUE(Bar().IsLoaded());
    const WindowHandle late = OpenApp();
    Tick();
    EXPECT_THAT(Set(0), ElementsAre(late, app));
    EXPECT_TRUE(Press(1));
    EXPECT_FALSE(Visible(late));
}

TEST_F(BarButtons, HelpButtonShowsOneHelpWindowAgainAndAgain) {
    Click(u"Command2");
    const WindowHandle help = program->frmHelp().hWnd();
    EXPECT_TRUE(Visible(help));
    program->frmHelp().Hide();
    Click(u"Command2");
    EXPECT_EQ(program->frmHelp().hWnd(), help);
    EXPECT_TRUE(Visible(help));
    EXPECT_EQ(fake.forms.CreateCount(u"frmHelp"), 1);
}

TEST_F(BarButtons, DoubleClickOnTheBarOpensTheSettingsDialogLikeTheSettingsButton) {
    Bar().RaiseDblClick();
    EXPECT_TRUE(program->frmConfig().Visible());
    const WindowHandle dialog = program->frmConfig().hWnd();
    Click(u"cmdConfig");
    EXPECT_EQ(program->frmConfig().hWnd(), dialog);
    EXPECT_EQ(fake.forms.CreateCount(u"frmConfig"), 1);
}

TEST_F(BarButtons, TheTimerRefreshesOnlyTheCurrentDesktop) {
    Click(u"cmdDesktop", 2);
    const WindowHandle onThree = OpenApp();
    Tick();
    EXPECT_THAT(Set(2), ElementsAre(onThree));
    EXPECT_THAT(Set(0), ElementsAre(app));
}

TEST_F(BarButtons, ExitShowsEverythingAndEndsTheProcess) {
    Click(u"cmdDesktop", 1);
    Click(u"Command1");
    EXPECT_TRUE(Visible(app));
    EXPECT_TRUE(fake.forms.ProcessEnded());
}

}  // namespace
}  // namespace ombrel::testing
