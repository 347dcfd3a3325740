#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "platform/Text.h"

namespace ombrel::testing {
namespace {

class SettingsDialogUse : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        fake.registry.PutString(u"HKU\\.DEFAULT\\Control Panel\\desktop", u"Wallpaper",
                                u"C:\\Windows\\default.bmp");
    }
    void Open() {
        if (!program) {
            StartProgram();
        }
        Bar().RaiseDblClick();
    }
    Form& Dialog() { return program->frmConfig(); }
    Control& Box(int index) { return Dialog().Controls(config::kWallpaperBox, index); }
    Control& SkipNotice() { return Dialog().Controls(config::kSkipNotice); }
    Control& StartWithWindows() { return Dialog().Controls(config::kStartWithWindows); }
    void Press(std::u16string_view button, int index = kNoIndex) {
        Dialog().RaiseClick(button, index);
    }
    std::optional<std::u16string> Stored(std::u16string_view name) {
        return fake.registry.GetString(kOwnKey, name);
    }
    std::optional<std::u16string> RunValue() {
        return fake.registry.GetString(kRunKeyPath, u"Kelvora");
    }
};

TEST_F(SettingsDialogUse, WithNothingStoredItOpensEmptyAndClear) {
    fake.registry.PutValue(kOwnKey, u"NeverShowInfo", {RegSz, fakes::StringData(u"yes")});
    Open();
    ASSERT_TRUE(Dialog().Visible());
    for (int index = 0; index < kDesktopCount; ++index) {
        EXPECT_TRUE(Box(index).Text().empty());
    }
    EXPECT_EQ(SkipNotice().Value(), 0);  // "yes" is not "Yes"
    EXPECT_EQ(StartWithWindows().Value(), 0);
}

TEST_F(SettingsDialogUse, OkSavesEveryBoxAndBothOptionsAndCloses) {
    Open();
    Box(0).TextEditedByUser(u"D:\\图片\\海边.bmp");
    Box(4).TextEditedByUser(u"   ");  // blanks are a path like any other
    StartWithWindows().ValueChangedByUser(1);
    Press(config::kOk);
    EXPECT_FALSE(Dialog().IsLoaded());
    EXPECT_EQ(Stored(u"WallPaper0"), u"D:\\图片\\海边.bmp");
    EXPECT_EQ(Stored(u"WallPaper4"), u"   ");
    EXPECT_FALSE(Stored(u"WallPaper1").has_value());
    EXPECT_EQ(Stored(u"NeverShowInfo"), u"Yes");
    // The program lives under a path with a blank: the Run value quotes it.
    EXPECT_EQ(RunValue(), u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
    EXPECT_TRUE(fake.wallpaper.Applied().empty());

    Open();
    EXPECT_EQ(Box(0).Text(), u"D:\\图片\\海边.bmp");
    EXPECT_EQ(StartWithWindows().Value(), 1);
}

TEST_F(SettingsDialogUse, ARunValueInEitherFormNamingThisProgramCountsAndAnOldPathDoesNot) {
    fake.forms.SetProgramPath(u"C:\\Tools", u"Ombrel");
    fake.registry.PutString(kRunKeyPath, u"Kelvora", u"C:\\Tools\\Ombrel.exe");
    Open();
    EXPECT_EQ(StartWithWindows().Value(), 1);
    Press(config::kOk);
    EXPECT_EQ(RunValue(), u"C:\\Tools\\Ombrel.exe");  // no blank, no quotes

    fake.registry.PutString(kRunKeyPath, u"Kelvora", u"\"C:\\Tools\\Ombrel.exe\"");
    Open();
    EXPECT_EQ(StartWithWindows().Value(), 1);
    Press(config::kCancel);

    fake.registry.PutString(kRunKeyPath, u"Kelvora", u"C:\\Old place\\Ombrel.exe");
    Open();
    EXPECT_EQ(StartWithWindows().Value(), 0);
    Press(config::kOk);
    EXPECT_FALSE(RunValue().has_value());
}

TEST_F(SettingsDialogUse, ARunValueNamingThisProgramInOtherCaseCountsAndOkKeepsIt) {
    fake.registry.PutString(kRunKeyPath, u"Kelvora", u"\"c:\\PROGRAM FILES\\ombrel\\ombrel.EXE\"");
    Open();
    EXPECT_EQ(StartWithWindows().Value(), 1);
    Press(config::kOk);
    EXPECT_EQ(RunValue(), u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
}

TEST_F(SettingsDialogUse, CancelSavesNothingAndTheNextOpenReadsTheRegistryAgain) {
    Open();
    Box(2).TextEditedByUser(u"C:\\x.bmp");
    Press(config::kCancel);
    EXPECT_FALSE(Stored(u"WallPaper2").has_value());
    Open();
    EXPECT_TRUE(Box(2).Text().empty());
}

// Anybody who may write the program's folder could have every user's log-on run his program:
// there it starts for this user alone, and the dialog says why.
TEST_F(SettingsDialogUse, AProgramInAFolderOthersMayWriteStartsForThisUserAlone) {
    constexpr std::u16string_view kUserRun =
        u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    fake.forms.SetProgramFolderWritableByOthers(true);
    fake.registry.PutString(kRunKeyPath, u"Kelvora", u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
    Open();
    Press(config::kOk);
    EXPECT_FALSE(RunValue().has_value());
    EXPECT_EQ(fake.registry.GetString(kUserRun, u"Kelvora"),
              u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
    ASSERT_EQ(fake.dialogs.Messages().size(), 1U);
    EXPECT_NE(fake.dialogs.Messages()[0].text.find(u"只为你设置"), std::u16string::npos);
    Open();
    EXPECT_EQ(StartWithWindows().Value(), 1);
    Press(config::kOk);
    EXPECT_EQ(fake.dialogs.Messages().size(), 1U);  // said once
}

TEST_F(SettingsDialogUse, ShowingItAgainWhileOpenKeepsTheUnsavedEdits) {
    Open();
    Box(2).TextEditedByUser(u"C:\\x.bmp");
    Open();
    EXPECT_EQ(Box(2).Text(), u"C:\\x.bmp");
}

TEST_F(SettingsDialogUse, DefaultsThenOkDeletesAllElevenValues) {
    for (int index = 0; index < kDesktopCount; ++index) {
        fake.registry.PutString(kOwnKey, WallpaperValueName(index), u"C:\\w.bmp");
    }
    fake.registry.PutString(kRunKeyPath, u"Kelvora", u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
    Open();
    EXPECT_EQ(SkipNotice().Value(), 1);
    Press(config::kDefaults);
    EXPECT_TRUE(Stored(u"WallPaper3").has_value());  // nothing written yet
    Press(config::kOk);
    for (int index = 0; index < kDesktopCount; ++index) {
        EXPECT_FALSE(Stored(WallpaperValueName(index)).has_value());
    }
    EXPECT_FALSE(Stored(u"NeverShowInfo").has_value());
    EXPECT_FALSE(RunValue().has_value());
    EXPECT_TRUE(fake.dialogs.Messages().empty());  // deleting what is absent is no failure
}

TEST_F(SettingsDialogUse, ApplyOnADesktopWithoutAWallpaperAppliesTheDefaultOne) {
    Open();
    Box(4).TextEditedByUser(u"C:\\five.bmp");
    Press(config::kApply);
    EXPECT_TRUE(Dialog().Visible());
    EXPECT_EQ(Stored(u"WallPaper4"), u"C:\\five.bmp");
    ASSERT_EQ(fake.wallpaper.Applied().size(), 1U);
    EXPECT_EQ(fake.wallpaper.Applied()[0], u"C:\\Windows\\default.bmp");
}

TEST_F(SettingsDialogUse, ApplyOnDesktopThreeAppliesItsOwnAndSwitchingLeavesItAlone) {
    StartProgram();
    Click(bar::kDesktop, 2);
    Open();
    Box(2).TextEditedByUser(u"C:\\three.jpg");
    Press(config::kApply);
    EXPECT_EQ(fake.wallpaper.Applied().back(), u"C:\\three.jpg");
    Click(bar::kDesktop, 0);
    EXPECT_EQ(fake.wallpaper.Applied().size(), 1U);
}

TEST_F(SettingsDialogUse, WithoutAnyDefaultWallpaperApplyRemovesIt) {
    fake.registry.PutString(u"HKU\\.DEFAULT\\Control Panel\\desktop", u"Wallpaper", u"");
    Open();
    Press(config::kApply);
    EXPECT_EQ(fake.wallpaper.Applied().back(), u"");
}

TEST_F(SettingsDialogUse, WhereTheDefaultProfileHasNoWallpaperApplyPutsBackTheUsersFromStart) {
    fake.registry.PutString(u"HKU\\.DEFAULT\\Control Panel\\desktop", u"Wallpaper", u"");
    fake.wallpaper.SetCurrent(u"C:\\Users\\me\\sea.jpg");
    StartProgram();
    Click(bar::kDesktop, 2);
    Open();
    Box(2).TextEditedByUser(u"C:\\three.jpg");
    Press(config::kApply);
    Press(config::kCancel);
    Click(bar::kDesktop, 0);
    Open();
    Press(config::kApply);
    EXPECT_EQ(fake.wallpaper.Applied().back(), u"C:\\Users\\me\\sea.jpg");
}

TEST_F(SettingsDialogUse, AWallpaperWindowsDoesNotTakeIsReported) {
    fake.wallpaper.Refuse(u"C:\\gone.bmp");
    Open();
    Box(0).TextEditedByUser(u"C:\\gone.bmp");
    Press(config::kApply);
    EXPECT_TRUE(Dialog().Visible());
    ASSERT_EQ(fake.dialogs.Messages().size(), 1U);
    const auto& message = fake.dialogs.Messages()[0];
    EXPECT_EQ(message.text, u"无法设置墙纸：C:\\gone.bmp");
    EXPECT_EQ(message.caption, u"设置");
    EXPECT_EQ(message.owner, Dialog().WindowIfLoaded());
}

TEST_F(SettingsDialogUse, BrowseFillsTheBoxAndACancelledBrowseLeavesItAsItWas) {
    Open();
    fake.dialogs.QueueChoice(u"C:\\pictures\\sea.bmp");
    Press(config::kBrowse, 6);
    EXPECT_EQ(Box(6).Text(), u"C:\\pictures\\sea.bmp");
    const OpenFileRecord& record = fake.dialogs.OpenFileCalls().back();
    EXPECT_EQ(record.initialDirectory, u"c:\\windows");
    ASSERT_NE(Dialog().WindowIfLoaded(), WindowHandle::None);
    EXPECT_EQ(record.owner, Dialog().WindowIfLoaded());
    // Its closing NUL and the literal's make the two that end the list.
    const char16_t filter[] =
        u"图片 (*.bmp;*.jpg;*.jpeg;*.png)\0*.bmp;*.jpg;*.jpeg;*.png\0所有文件 (*.*)\0*.*\0";
    EXPECT_EQ(record.filter, std::u16string(filter, std::size(filter)));

    fake.dialogs.QueueChoice(std::nullopt);
    Press(config::kBrowse, 6);
    EXPECT_EQ(Box(6).Text(), u"C:\\pictures\\sea.bmp");
}

TEST_F(SettingsDialogUse, AFailedSaveSaysWhatWasNotSavedAndKeepsTheDialogOpen) {
    fake.registry.DenyWrites(u"HKLM\\SOFTWARE");
    fake.registry.DenyWrites(u"HKCU");
    Open();
    Box(1).TextEditedByUser(u"C:\\two.bmp");
    SkipNotice().ValueChangedByUser(1);
    StartWithWindows().ValueChangedByUser(1);
    Press(config::kOk);

    EXPECT_TRUE(Dialog().IsLoaded());
    EXPECT_EQ(Box(1).Text(), u"C:\\two.bmp");
    ASSERT_EQ(fake.dialogs.Messages().size(), 1U);
    const auto& message = fake.dialogs.Messages()[0];
    EXPECT_EQ(message.caption, u"设置");
    EXPECT_EQ(message.owner, Dialog().WindowIfLoaded());
    std::u16string expected = u"以下设置未能保存：";
    for (int index = 0; index < kDesktopCount; ++index) {
        expected += u"\r\n桌面" + DecimalText(index + 1);
    }
    expected +=
        u"\r\n启动时跳过提示信息\r\nWindows启动时自动加载"
        u"\r\n没有修改注册表的权限，请以管理员身份运行本程序后再试。";
    EXPECT_EQ(message.text, expected);
}

TEST_F(SettingsDialogUse, AStandardUserSavesInHisOwnKeyAndAnAdministratorsSaveTakesItsPlace) {
    constexpr std::u16string_view kUserKey = u"HKCU\\Software\\Kelvora";
    constexpr std::u16string_view kUserRun =
        u"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    fake.registry.PutString(kOwnKey, u"WallPaper2", u"C:\\machine.bmp");
    fake.registry.DenyWrites(u"HKLM\\SOFTWARE");
    Open();
    EXPECT_EQ(Box(2).Text(), u"C:\\machine.bmp");
    Box(1).TextEditedByUser(u"C:\\mine.bmp");
    Box(2).TextEditedByUser(u"");  // the machine-wide one cannot go: an empty copy shadows it
    SkipNotice().ValueChangedByUser(1);
    StartWithWindows().ValueChangedByUser(1);
    Press(config::kOk);
    EXPECT_TRUE(fake.dialogs.Messages().empty());
    EXPECT_EQ(fake.registry.GetString(kUserKey, u"WallPaper1"), u"C:\\mine.bmp");
    EXPECT_EQ(fake.registry.GetString(kUserKey, u"WallPaper2"), u"");
    EXPECT_FALSE(fake.registry.GetString(kUserKey, u"NeverShowInfo").has_value());  // as HKLM's
    EXPECT_EQ(fake.registry.GetString(kUserRun, u"Kelvora"),
              u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
    EXPECT_FALSE(Stored(u"WallPaper1").has_value());
    Open();
    EXPECT_EQ(Box(1).Text(), u"C:\\mine.bmp");
    EXPECT_TRUE(Box(2).Text().empty());
    EXPECT_EQ(StartWithWindows().Value(), 1);
    Press(config::kCancel);

    // Run with the right to write the machine's key, the same settings move there.
    fake.registry.AllowWrites();
    Open();
    Press(config::kOk);
    EXPECT_EQ(Stored(u"WallPaper1"), u"C:\\mine.bmp");
    EXPECT_FALSE(Stored(u"WallPaper2").has_value());
    EXPECT_EQ(RunValue(), u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"");
    for (std::u16string_view name : {u"WallPaper1", u"WallPaper2", u"NeverShowInfo"}) {
        EXPECT_FALSE(fake.registry.GetString(kUserKey, name).has_value()) << name.size();
    }
    EXPECT_FALSE(fake.registry.GetString(kUserRun, u"Kelvora").has_value());
}

TEST_F(SettingsDialogUse, AStandardUserKeepsOnlyWhatDiffersSoAnAdministratorsLaterSaveReachesHim) {
    constexpr std::u16string_view kUserKey = u"HKCU\\Software\\Kelvora";
    constexpr std::u16string_view kUserRun =
        u"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::u16string_view program = u"\"C:\\Program Files\\Ombrel\\Ombrel.exe\"";
    fake.registry.PutString(kOwnKey, u"WallPaper0", u"C:\\a.bmp");
    fake.registry.PutString(kOwnKey, u"WallPaper3", u"C:\\b.bmp");
    fake.registry.PutString(kRunKeyPath, u"Kelvora", program);
    // Copies an earlier save left, equal to the machine's values.
    fake.registry.PutString(kUserKey, u"WallPaper3", u"C:\\b.bmp");
    fake.registry.PutString(kUserRun, u"Kelvora", program);
    fake.registry.DenyWrites(u"HKLM\\SOFTWARE");
    Open();
    Box(1).TextEditedByUser(u"C:\\mine.bmp");
    Press(config::kOk);
    EXPECT_TRUE(fake.dialogs.Messages().empty());
    EXPECT_EQ(fake.registry.GetString(kUserKey, u"WallPaper1"), u"C:\\mine.bmp");
    for (std::u16string_view name : {u"WallPaper0", u"WallPaper3", u"NeverShowInfo"}) {
        EXPECT_FALSE(fake.registry.GetString(kUserKey, name).has_value()) << name.size();
    }
    EXPECT_FALSE(fake.registry.GetString(kUserRun, u"Kelvora").has_value());

    fake.registry.PutString(kOwnKey, u"WallPaper0", u"C:\\new.bmp");  // an administrator's save
    Open();
    EXPECT_EQ(Box(0).Text(), u"C:\\new.bmp");
    EXPECT_EQ(Box(1).Text(), u"C:\\mine.bmp");
    EXPECT_EQ(StartWithWindows().Value(), 1);
}

TEST_F(SettingsDialogUse, WithoutTheRightToCreateTheKeyNoSettingReadsAsTheTextOfAnother) {
    static_cast<void>(fake.registry.DeleteKey(RootKeyFor(kHkeyLocalMachine), u"SOFTWARE\\Kelvora"));
    fake.registry.DenyWrites(u"HKLM\\SOFTWARE");
    fake.registry.DenyWrites(u"HKCU");
    Open();
    Box(0).TextEditedByUser(u"C:\\one.bmp");
    SkipNotice().ValueChangedByUser(1);
    Press(config::kApply);
    EXPECT_EQ(fake.wallpaper.Applied().back(), u"C:\\Windows\\default.bmp");
    Press(config::kCancel);
    Open();
    for (int index = 0; index < kDesktopCount; ++index) {
        EXPECT_TRUE(Box(index).Text().empty());
    }
    EXPECT_EQ(SkipNotice().Value(), 0);
}

TEST_F(SettingsDialogUse, AnotherErrorIsNamedByItsCodeAndApplyStillSetsTheWallpaper) {
    Open();
    fake.registry.Failures().Fail("SetValue", 1021);
    Box(0).TextEditedByUser(u"C:\\one.bmp");
    Press(config::kApply);
    ASSERT_EQ(fake.dialogs.Messages().size(), 1U);
    EXPECT_EQ(fake.dialogs.Messages()[0].text,
              u"以下设置未能保存：\r\n桌面1\r\n启动时跳过提示信息\r\n错误代码：1021");
    EXPECT_EQ(fake.wallpaper.Applied().size(), 1U);
}

}  // namespace
}  // namespace ombrel::testing
