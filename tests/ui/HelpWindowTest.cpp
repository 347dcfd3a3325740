#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "platform/ScopedRegistryKey.h"
#include "ui/HelpWindow.h"
#include "ui/layouts/HelpWindowLayout.h"

namespace ombrel::testing {
namespace {

class StartupNotice : public RunningProgram {
  protected:
    void StartWith(std::optional<std::u16string> neverShowInfo) {
        if (neverShowInfo) {
            fake.registry.PutString(kOwnKey, u"NeverShowInfo", *neverShowInfo);
        } else {
            ScopedRegistryKey key(fake.registry);
            ASSERT_FALSE(key.Create(RootKeyFor(kHkeyLocalMachine), u"SOFTWARE\\Kelvora").Failed());
            static_cast<void>(fake.registry.DeleteValue(key.Get(), u"NeverShowInfo"));
        }
        StartProgram();
    }
    Form& Help() { return program->frmHelp(); }
};

class NoticeSetting : public StartupNotice,
                      public ::testing::WithParamInterface<std::optional<std::u16string>> {};

TEST_P(NoticeSetting, ShowsTheNoticeAfterDesktopOneWasCollected) {
    StartWith(GetParam());
    EXPECT_TRUE(Help().Visible());
    // Shown after desktop 1 was collected: it joins only at the first refresh.
    EXPECT_TRUE(Set(0).empty());
    Tick();
    EXPECT_EQ(Set(0).size(), 1U);
}

// Absent, or anything but exactly "Yes".
INSTANTIATE_TEST_SUITE_P(AbsentOrNotExactlyYes, NoticeSetting,
                         ::testing::Values(std::nullopt, u"yes", u"YES", u"Yes "));

TEST_F(StartupNotice, YesTurnsItOffButTheHelpButtonStillShowsIt) {
    StartWith(u"Yes");
    EXPECT_FALSE(Help().IsLoaded());
    Click(bar::kHelp);
    EXPECT_TRUE(Help().Visible());
}

TEST_F(StartupNotice, OkHidesItAndTheHotkeysWorkWhileItIsOpen) {
    const WindowHandle app = OpenApp();
    StartWith(std::nullopt);
    EXPECT_TRUE(Press(1));
    EXPECT_FALSE(Visible(app));
    Help().RaiseClick(help::kOk);
    EXPECT_FALSE(Help().Visible());
    EXPECT_TRUE(Help().IsLoaded());
    Click(bar::kHelp);
    EXPECT_TRUE(Help().Visible());
    EXPECT_EQ(fake.forms.CreateCount(u"frmHelp"), 1);
}

TEST(HelpWindowLayout, FourLinesEachEndedByCrLfAndAnOkButton) {
    const FormLayout& layout = HelpWindowLayout();
    EXPECT_EQ(layout.caption.Resolve(Texts{}), u"帮助");
    EXPECT_EQ(layout.placement, FormPlacement::CenterScreen);
    ASSERT_EQ(layout.controls.size(), 2U);
    EXPECT_EQ(layout.controls[0].name, help::kOk);
    const ControlLayout& text = layout.controls[1];
    EXPECT_TRUE(text.multiLine);
    EXPECT_EQ(text.tabIndex, 0);
    EXPECT_EQ(text.caption.Resolve(Texts{}),
              u"按Ctrl+[F1至F9]桌面切换。\r\n按Ctrl+F10显示/隐藏桌面图标。\r\n"
              u"按Ctrl+F11显示/隐藏任务栏。\r\n按Ctrl+F12显示/隐藏软件界面。\r\n");
}

// Keys of one's own get a line each, in the words of what they do.
TEST(HelpWindowText, AKeyOfOnesOwnIsListedInTheWordsOfItsCommand) {
    using Kind = Command::Kind;
    using Target = Command::Target;
    const std::vector<Command> commands{Command::SwitchTo(0),
                                        Command::Toward(Kind::Switch, Target::Next),
                                        Command::Toward(Kind::Switch, Target::Previous),
                                        Command::Toward(Kind::Switch, Target::Last),
                                        Command::SendTo(8),
                                        Command::MoveTo(2),
                                        Command::Toward(Kind::Move, Target::Next),
                                        {Kind::ToggleDesktopIcons},
                                        {Kind::ToggleTaskbar},
                                        {Kind::ToggleBar},
                                        {Kind::Pause},
                                        {Kind::Pin},
                                        {Kind::Unpin},
                                        {Kind::PinToggle},
                                        {Kind::Exit}};
    KeyBindings keys;
    for (const Command& command : commands) {
        keys.push_back({.command = command, .name = u"F13"});
    }
    EXPECT_EQ(
        KeysHelpText(Texts{}, keys),
        u"按F13切换到桌面1。\r\n按F13切换到下一个桌面。\r\n按F13切换到上一个桌面。\r\n"
        u"按F13切换到上一次所在的桌面。\r\n按F13把当前窗口送到桌面9。\r\n"
        u"按F13把当前窗口送到桌面3并切换过去。\r\n按F13把当前窗口送到下一个桌面并切换过去。\r\n"
        u"按F13显示/隐藏桌面图标。\r\n按F13显示/隐藏任务栏。\r\n按F13显示/隐藏软件界面。\r\n"
        u"按F13暂停/恢复热键。\r\n按F13让当前窗口留在每个桌面上。\r\n"
        u"按F13让当前窗口只留在当前桌面上。\r\n按F13让当前窗口留在每个桌面上，或取消。\r\n"
        u"按F13退出。\r\n");
}

}  // namespace
}  // namespace ombrel::testing
