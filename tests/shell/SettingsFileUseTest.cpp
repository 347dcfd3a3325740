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
    // The user saves the file; the change is in force within two refreshes, a deletion within
    // three (it is looked for once more).
    void SaveFile(std::optional<std::string> text) {
        const bool deleted = !text;
        fake.files.Save(FakeUserFiles::kSettingsFile, std::move(text));
        Tick();
        Tick();
        if (deleted) {
            Tick();
        }
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
    ASSERT_EQ(fake.dialogs.Notices().size(), 1U);
    EXPECT_TRUE(fake.dialogs.Notices()[0].starts_with(u"设置文件第 2 行第 13 列："));
    EXPECT_TRUE(Held(kCtrlShift, kVkRight));
    EXPECT_FALSE(Held(ModControl, kVkF4));
    EXPECT_EQ(fake.log.Count(u"不认识的命令“jump 3”"), 1U);
    Tick();
    Tick();
    EXPECT_EQ(fake.dialogs.Notices().size(), 1U);

    // Deleted: the usual keys and no names.
    SaveFile(std::nullopt);
    EXPECT_TRUE(Held(ModControl, kVkF4));
    EXPECT_FALSE(Held(kCtrlShift, kVkRight));
    EXPECT_EQ(Bar().Caption(), u"这是桌面-2");
    EXPECT_EQ(HelpText(), describedHelp);
}

TEST_F(SettingsFileUse, TheLanguageIsTheFilesOrWindowsOwnAndChangesAtTheNextReadWithoutARestart) {
    fake.forms.SetDisplayLanguage(u"en-GB");
    fake.files.Save(FakeUserFiles::kSettingsFile, std::string(R"({ "language": "auto" })"));
    StartProgram();
    ASSERT_TRUE(fake.desktop.PressHotkey(ModControl, kVkF1 + 1));
    EXPECT_EQ(Bar().Caption(), u"Desktop 2");
    EXPECT_EQ(Bar().Controls(bar::kExit).Text(), u"Exit");
    EXPECT_TRUE(HelpText().starts_with(u"Ctrl+F1"));
    fake.forms.ChooseInMenu(-1);
    Bar().RaiseContextMenu();
    EXPECT_EQ(fake.forms.LastMenu().front(), u"Settings…");

    // A file that cannot be used leaves the language as it is, and says so in it.
    SaveFile(R"({ "language": "fr-FR" })");
    ASSERT_EQ(fake.dialogs.Notices().size(), 1U);
    EXPECT_TRUE(fake.dialogs.Notices()[0].starts_with(u"Settings file, line 1, column 3: "));
    EXPECT_EQ(Bar().Caption(), u"Desktop 2");

    SaveFile(R"({ "language": "zh-CN", "names": { "2": "Mail" } })");
    EXPECT_EQ(Bar().Caption(), u"这是桌面-2：Mail");
    EXPECT_EQ(Bar().Controls(bar::kExit).Text(), u"退出");
    EXPECT_TRUE(HelpText().starts_with(u"按Ctrl+[F1至F9]"));

    // "auto" where Windows speaks any Chinese to the user.
    fake.forms.SetDisplayLanguage(u"zh-TW");
    SaveFile(R"({ "language": "auto" })");
    EXPECT_EQ(Bar().Caption(), u"这是桌面-2");
    fake.forms.SetDisplayLanguage(u"en-US");
    SaveFile(R"({ "language": "en-US", "names": { "2": "Mail" } })");
    EXPECT_EQ(Bar().Caption(), u"Desktop 2: Mail");
}

TEST_F(SettingsFileUse, AFileWithAnErrorAtStartUpLeavesTheUsualKeysInForce) {
    fake.files.Save(FakeUserFiles::kSettingsFile, std::string("{ \"keys\": [] }"));
    StartProgram();
    EXPECT_EQ(fake.desktop.HotkeysHeldBy(ProgramWindow()), 21U);
    // Everything runs, and no modal box holds up the start: the report waits for nobody.
    EXPECT_TRUE(fake.commands.IsOpen());
    EXPECT_TRUE(fake.files.Watching());
    EXPECT_TRUE(fake.dialogs.Messages().empty());
    ASSERT_EQ(fake.dialogs.Notices().size(), 1U);
    EXPECT_TRUE(fake.dialogs.Notices()[0].starts_with(u"设置文件第 1 行"));
}

TEST_F(SettingsFileUse, AFileMissingForAMomentUnreadableOrTooLargeKeepsWhatIsInForce) {
    StartProgram();
    SaveFile(R"({ "keys": { "ctrl+f4": null }, "names": { "2": "邮件" } })");
    // An editor saves by deleting and renaming: gone at the first look, back at the second.
    fake.files.FailReads(FakeUserFiles::kSettingsFile, 0, 1);
    fake.files.Save(FakeUserFiles::kSettingsFile,
                    R"({ "keys": { "ctrl+f4": null }, "names": { "2": "信件" } })");
    Tick();
    Tick();
    EXPECT_FALSE(Held(ModControl, kVkF4));
    Tick();
    EXPECT_EQ(Engine().DesktopName(1), u"信件");
    EXPECT_EQ(fake.log.Count(u"已删除"), 0U);

    const auto keptAndReportedOnce = [&](std::u16string_view report) {
        EXPECT_FALSE(Held(ModControl, kVkF4));
        EXPECT_EQ(Engine().DesktopName(1), u"信件");
        EXPECT_EQ(fake.log.Count(report), 1U);
        return fake.dialogs.Notices().size();
    };
    fake.files.FailReads(FakeUserFiles::kSettingsFile, 53, 1);  // a network path that is away
    SaveFile(R"({ "names": { "2": "邮件" } })");
    const std::size_t notices = keptAndReportedOnce(u"无法读入设置文件（代码 53）");
    SaveFile(std::string(SettingsFileContents::kMaxBytes + 1, ' '));
    EXPECT_EQ(keptAndReportedOnce(u"大于 1 MB"), notices + 1);
    Tick();
    Tick();
    EXPECT_EQ(keptAndReportedOnce(u"大于 1 MB"), notices + 1);
}

TEST_F(SettingsFileUse, AFileHeldByAnotherProgramIsReadAgainUntilFreeAndReportedOnceIfStillHeld) {
    StartProgram();
    SaveFile(R"({ "keys": { "ctrl+f4": null } })");
    fake.files.FailReads(FakeUserFiles::kSettingsFile, kErrorSharingViolation, 6);
    SaveFile(R"({ "keys": { "ctrl+f4": null }, "names": { "2": "邮件" } })");
    for (int refresh = 0; refresh < 3; ++refresh) {
        Tick();
    }
    EXPECT_TRUE(fake.dialogs.Notices().empty());  // held only while it saves, most often
    Tick();
    Tick();
    ASSERT_EQ(fake.dialogs.Notices().size(), 1U);
    EXPECT_NE(fake.dialogs.Notices()[0].find(u"其他程序占用"), std::u16string::npos);
    EXPECT_FALSE(Held(ModControl, kVkF4));
    EXPECT_EQ(Engine().DesktopName(1), u"");
    Tick();
    EXPECT_EQ(Engine().DesktopName(1), u"邮件");  // free again: read without another save
    EXPECT_EQ(fake.dialogs.Notices().size(), 1U);
    EXPECT_EQ(fake.log.Count(u"其他程序占用"), 1U);
}

TEST_F(SettingsFileUse, AStoppedWatchIsSetUpAgainAndMeanwhileTheFilesSizeAndTimeTellOfAChange) {
    StartProgram();
    fake.files.RefuseWatch(53);
    fake.files.FailWatch(64);  // the folder was on a network that went away
    SaveFile(R"({ "keys": { "ctrl+f4": null } })");
    EXPECT_FALSE(Held(ModControl, kVkF4));
    Tick();
    EXPECT_EQ(fake.log.Count(u"无法监视设置文件所在的文件夹（代码 64）"), 1U);
    EXPECT_EQ(fake.log.Count(u"无法监视"), 1U);

    fake.files.RefuseWatch(0);
    Tick();
    EXPECT_TRUE(fake.files.Watching());
    EXPECT_EQ(fake.log.Count(u"又可以监视了"), 1U);
}

TEST_F(SettingsFileUse, TheBarsMenuOpensTheSettingsTheFileFromItsTemplateAndTheLog) {
    StartProgram();
    fake.forms.ChooseInMenu(1);
    Bar().RaiseContextMenu();
    EXPECT_THAT(fake.forms.LastMenu(),
                ::testing::ElementsAre(u"设置…", u"编辑设置文件", u"打开日志"));
    ASSERT_TRUE(fake.files.StampOf(FakeUserFiles::kSettingsFile).has_value());
    EXPECT_TRUE(fake.files.StampOf(FakeUserFiles::kSchemaFile).has_value());
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
