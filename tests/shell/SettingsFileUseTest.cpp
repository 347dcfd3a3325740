#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <variant>

#include "RunningProgram.h"
#include "settings/SettingsFile.h"

namespace ombrel::testing {
namespace {

using fakes::FakeUserFiles;

constexpr std::uint32_t kCtrlShift = ModControl | ModShift;
constexpr std::uint32_t kVkRight = 0x27;
constexpr std::uint32_t kVkF4 = kVkF1 + 3;

class SettingsFileUse : public RunningProgram {
  protected:
    // The user saves the file; the change is in force within two refreshes.
    void SaveFile(std::optional<std::string> text) {
        fake.files.Save(FakeUserFiles::kSettingsFile, std::move(text));
        Tick();
        Tick();
    }
    bool Held(std::uint32_t modifiers, std::uint32_t key) {
        return fake.desktop.IsCombinationHeld(modifiers, key);
    }
    std::u16string HelpText() { return program->frmHelp().Controls(u"Text1").Text(); }
};

TEST_F(SettingsFileUse, ASavedFileRebindsFreesAndNamesAndABrokenOneChangesNothing) {
    StartProgram();
    const std::u16string describedHelp = HelpText();
    SaveFile(R"({
        // Ctrl+F4 closes tabs in my browser.
        "keys": { "ctrl+f4": null, "Ctrl+Shift+Right": "next" },
        "names": { "2": "邮件" },
        "wrap": false
    })");
    EXPECT_FALSE(Held(ModControl, kVkF4));  // another program may have it now
    ASSERT_TRUE(fake.desktop.PressHotkey(kCtrlShift, kVkRight));
    EXPECT_EQ(Engine().CurrentDesktop(), 1);
    EXPECT_EQ(Bar().Caption(), u"这是桌面-2：邮件");
    Bar().RaiseToolTipNeeded(bar::kDesktop, 1);
    EXPECT_EQ(Bar().Controls(bar::kDesktop, 1).ToolTipText().substr(0, 11), u"邮件（Ctrl+F2）");
    Bar().RaiseToolTipNeeded(bar::kDesktop, 3);
    EXPECT_EQ(Bar().Controls(bar::kDesktop, 3).ToolTipText().substr(0, 5), u"（无热键）");
    EXPECT_NE(HelpText().find(u"按Ctrl+Shift+Right切换到下一个桌面。"), std::u16string::npos);
    EXPECT_EQ(fake.log.Count(u"设置文件已重新读入"), 1U);

    // An unknown command: what is in force stays, and the user hears of it once.
    SaveFile("{\n  \"keys\": { \"ctrl+f6\": \"jump 3\" }\n}");
    ASSERT_EQ(fake.dialogs.Messages().size(), 1U);
    EXPECT_TRUE(fake.dialogs.Messages()[0].text.starts_with(u"设置文件第 2 行第 13 列："));
    EXPECT_TRUE(Held(kCtrlShift, kVkRight));
    EXPECT_FALSE(Held(ModControl, kVkF4));
    EXPECT_EQ(fake.log.Count(u"不认识的命令“jump 3”"), 1U);
    Tick();
    Tick();
    EXPECT_EQ(fake.dialogs.Messages().size(), 1U);

    // Deleted: the usual keys and no names.
    SaveFile(std::nullopt);
    EXPECT_TRUE(Held(ModControl, kVkF4));
    EXPECT_FALSE(Held(kCtrlShift, kVkRight));
    EXPECT_EQ(Bar().Caption(), u"这是桌面-2");
    EXPECT_EQ(HelpText(), describedHelp);
}

TEST_F(SettingsFileUse, AFileWithAnErrorAtStartUpLeavesTheUsualKeysInForce) {
    fake.files.Save(FakeUserFiles::kSettingsFile, std::string("{ \"keys\": [] }"));
    StartProgram();
    EXPECT_EQ(fake.desktop.HotkeysHeldBy(Bar().hWnd()), 21U);
    ASSERT_EQ(fake.dialogs.Messages().size(), 1U);
    EXPECT_TRUE(fake.dialogs.Messages()[0].text.starts_with(u"设置文件第 1 行"));
}

TEST_F(SettingsFileUse, TheBarsMenuOpensTheSettingsTheFileFromItsTemplateAndTheLog) {
    StartProgram();
    fake.forms.ChooseInMenu(1);
    Bar().RaiseContextMenu();
    EXPECT_THAT(fake.forms.LastMenu(),
                ::testing::ElementsAre(u"设置…", u"编辑设置文件", u"打开日志"));
    ASSERT_TRUE(fake.files.ReadFile(FakeUserFiles::kSettingsFile).has_value());
    EXPECT_TRUE(fake.files.ReadFile(FakeUserFiles::kSchemaFile).has_value());
    EXPECT_THAT(fake.files.Opened(), ::testing::ElementsAre(FakeUserFiles::kSettingsFile));
    // The template holds the usual keys: reading it changes nothing.
    Tick();
    Tick();
    EXPECT_TRUE(fake.dialogs.Messages().empty());
    EXPECT_EQ(Engine().Keys(), DescribedKeyBindings());

    fake.forms.ChooseInMenu(2);
    Bar().RaiseContextMenu();
    EXPECT_EQ(fake.files.Opened().back(), FakeUserFiles::kLogFile);
    fake.forms.ChooseInMenu(0);
    Bar().RaiseContextMenu();
    EXPECT_TRUE(program->frmConfig().Visible());
}

}  // namespace
}  // namespace ombrel::testing
