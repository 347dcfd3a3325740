#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "RunningProgram.h"
#include "ui/TrayIcon.h"
#include "ui/TrayIconPicture.h"

namespace ombrel::testing {
namespace {

using fakes::FakeUserFiles;
using ::testing::ElementsAre;

std::uint32_t Alpha(std::uint32_t pixel) {
    return pixel >> 24;
}

TEST(DesktopNumberPicture, EachDigitIsADifferentPictureAtEveryTaskbarSize) {
    for (int size : {16, 20, 24, 32}) {
        std::set<std::vector<std::uint32_t>> pictures;
        for (int number = 1; number <= 9; ++number) {
            const std::vector<std::uint32_t> picture =
                DesktopNumberPicture(size, number, TrayTheme::Dark);
            ASSERT_EQ(picture.size(), static_cast<std::size_t>(size * size));
            // Premultiplied: no channel above the alpha.
            for (std::uint32_t pixel : picture) {
                for (int shift : {0, 8, 16}) {
                    ASSERT_LE((pixel >> shift) & 0xFF, Alpha(pixel)) << size << " " << number;
                }
            }
            // Something to see: a digit covers a good part of the box, not a speck.
            const auto inked =
                std::count_if(picture.begin(), picture.end(),
                              [](std::uint32_t pixel) { return Alpha(pixel) > 128; });
            EXPECT_GE(inked, size * size / 8) << size << " " << number;
            pictures.insert(picture);
        }
        EXPECT_EQ(pictures.size(), 9U) << size;
    }
}

TEST(DesktopNumberPicture, ALightTaskbarGetsTheSameDigitInADarkInk) {
    const std::vector<std::uint32_t> onDark = DesktopNumberPicture(24, 5, TrayTheme::Dark);
    const std::vector<std::uint32_t> onLight = DesktopNumberPicture(24, 5, TrayTheme::Light);
    for (std::size_t at = 0; at < onDark.size(); ++at) {
        ASSERT_EQ(Alpha(onDark[at]), Alpha(onLight[at]));
        if (Alpha(onDark[at]) == 0xFF) {
            EXPECT_GE(onDark[at] & 0xFF, 0xE0U);
            EXPECT_LE(onLight[at] & 0xFF, 0x40U);
        }
    }
}

TEST(DesktopNumberPicture, TheDigitStaysClearOfTheEdgesFrom16To64Pixels) {
    for (int size = 16; size <= 64; ++size) {
        for (int number = 1; number <= 9; ++number) {
            const std::vector<std::uint32_t> picture =
                DesktopNumberPicture(size, number, TrayTheme::Light);
            for (int along = 0; along < size; ++along) {
                for (int at :
                     {along, size * (size - 1) + along, along * size, along * size + size - 1}) {
                    ASSERT_EQ(picture[static_cast<std::size_t>(at)], 0U)
                        << size << " " << number << " " << at;
                }
            }
        }
    }
}

class TrayIconUse : public RunningProgram {
  protected:
    static constexpr std::u16string_view kPersonalize =
        u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

    void StartWithTrayIcon(std::string settings = R"({ "trayIcon": true })") {
        fake.files.Save(FakeUserFiles::kSettingsFile, std::move(settings));
        StartProgram();
    }
    // The user saves the file; it is in force within two refreshes.
    void SaveFile(std::string text) {
        fake.files.Save(FakeUserFiles::kSettingsFile, std::move(text));
        Tick();
        Tick();
    }
    void SetTaskbarLight(bool light) {
        const std::uint32_t value = light ? 1 : 0;
        const auto* bytes = reinterpret_cast<const std::byte*>(&value);
        fake.registry.PutValue(kPersonalize, u"SystemUsesLightTheme",
                               {RegDword, std::vector<std::byte>(bytes, bytes + sizeof(value))});
    }
    IconPicture Showing(int number, TrayTheme theme = TrayTheme::Dark, int size = 16) {
        return {size, DesktopNumberPicture(size, number, theme)};
    }
    // A click on the icon as the shell reports it (NOTIFYICON_VERSION_4): the place for a menu
    // (x, then y), what, then the icon's id.
    void IconSays(std::uint32_t what, std::uintptr_t at = 0) {
        fake.desktop.SendMessage(ProgramWindow(), fake.notifyIcon.Message(), at,
                                 static_cast<std::intptr_t>(what | 1U << 16));
    }
};

TEST_F(TrayIconUse, TheIconComesWithTheSettingAndGoesWhenItIsTurnedOff) {
    StartProgram();
    EXPECT_EQ(fake.notifyIcon.Adds(), 0);

    SaveFile(R"({ "trayIcon": true })");
    ASSERT_TRUE(fake.notifyIcon.Shown());
    EXPECT_EQ(fake.notifyIcon.Owner(), ProgramWindow());
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(1));
    // A reload that keeps it on leaves it be.
    SaveFile(R"({ "trayIcon": true, "wrap": false })");
    EXPECT_EQ(fake.notifyIcon.Adds(), 1);

    SaveFile(R"({ "trayIcon": false })");
    EXPECT_FALSE(fake.notifyIcon.Shown());
}

TEST_F(TrayIconUse, ASwitchShowsTheNewNumberOnTheSameIconWithTheSameTip) {
    StartWithTrayIcon();
    const std::u16string tip = fake.notifyIcon.Tip();
    ASSERT_TRUE(Press(3));
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(4));
    Click(bar::kDesktop, 3);  // already there: nothing is drawn
    EXPECT_EQ(fake.notifyIcon.Updates(), 1);
    EXPECT_EQ(fake.notifyIcon.Adds(), 1);
    EXPECT_EQ(fake.notifyIcon.Tip(), tip);
    EXPECT_EQ(tip.find(u'4'), std::u16string::npos);
}

TEST_F(TrayIconUse, TheIconIsAddedWhenTheTaskbarStartsAgainOrLate) {
    fake.notifyIcon.EndShell();
    StartWithTrayIcon();
    EXPECT_FALSE(fake.notifyIcon.Shown());
    Click(bar::kDesktop, 1);
    const std::uint32_t taskbarCreated = fake.desktop.RegisterMessage(u"TaskbarCreated");

    fake.notifyIcon.StartShell();
    fake.desktop.BroadcastMessage(taskbarCreated);
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(2));

    // Restarted, at another scale.
    fake.notifyIcon.EndShell();
    fake.notifyIcon.StartShell();
    fake.notifyIcon.SetPictureSize(24);
    fake.desktop.BroadcastMessage(taskbarCreated);
    EXPECT_TRUE(fake.notifyIcon.Shown());
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(2, TrayTheme::Dark, 24));
}

TEST_F(TrayIconUse, ANewTaskbarThemeIsDrawnWhenWindowsTellsOfIt) {
    StartWithTrayIcon();
    SetTaskbarLight(true);
    Tick();  // never looked for
    EXPECT_EQ(fake.notifyIcon.Updates(), 0);

    const std::u16string otherArea = u"Policy";
    fake.desktop.SendMessage(ProgramWindow(), kWmSettingChange, 0,
                             reinterpret_cast<std::intptr_t>(otherArea.c_str()));
    EXPECT_EQ(fake.notifyIcon.Updates(), 0);
    const std::u16string colours(kColoursChangedArea);
    fake.desktop.SendMessage(ProgramWindow(), kWmSettingChange, 0,
                             reinterpret_cast<std::intptr_t>(colours.c_str()));
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(1, TrayTheme::Light));
}

TEST_F(TrayIconUse, ANewScaleIsDrawnAtItsOwnSizeWhenWindowsTellsOfIt) {
    StartWithTrayIcon();
    fake.notifyIcon.SetPictureSize(32);
    Tick();
    EXPECT_EQ(fake.notifyIcon.Picture().size, 16);
    fake.desktop.SendMessage(ProgramWindow(), kWmDpiChanged, 0x00C000C0);
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(1, TrayTheme::Dark, 32));
    fake.notifyIcon.SetPictureSize(20);
    fake.desktop.SendMessage(ProgramWindow(), kWmDisplayChange);
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(1, TrayTheme::Dark, 20));
}

TEST_F(TrayIconUse, AClickListsTheDesktopsByNumberAndNameAndTheOneChosenIsSwitchedTo) {
    StartWithTrayIcon(R"({ "trayIcon": true, "names": { "3": "邮件" } })");
    const WindowHandle app = OpenApp();
    Tick();
    fake.notifyIcon.ChooseInNextMenu(2);
    // Chosen with the keyboard, on a screen left of the main one: the menu stands by the icon.
    IconSays(kTrayIconKeySelected, 0x03F0FF38);
    EXPECT_EQ(fake.notifyIcon.MenuAt(), (ScreenPoint{-200, 1008}));
    EXPECT_THAT(fake.notifyIcon.Menu(),
                ElementsAre(u"桌面 1", u"桌面 2", u"桌面 3：邮件", u"桌面 4", u"桌面 5", u"桌面 6",
                            u"桌面 7", u"桌面 8", u"桌面 9"));
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
    EXPECT_FALSE(Visible(app));
    EXPECT_EQ(fake.notifyIcon.Picture(), Showing(3));
}

TEST_F(TrayIconUse, ARightClickOffersTheBarsMenuWhoseExitEndsTheProgramAndTakesTheIcon) {
    StartWithTrayIcon();
    const WindowHandle app = OpenApp();
    Tick();
    Click(bar::kDesktop, 1);
    fake.notifyIcon.ChooseInNextMenu(3);
    IconSays(kWmContextMenu);
    EXPECT_THAT(fake.notifyIcon.Menu(),
                ElementsAre(u"设置…", u"编辑设置文件", u"打开日志", u"退出"));
    EXPECT_TRUE(fake.forms.ProcessEnded());
    EXPECT_TRUE(Visible(app));
    EXPECT_FALSE(fake.notifyIcon.Shown());
}

}  // namespace
}  // namespace ombrel::testing
