#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunningProgram.h"

namespace ombrel::testing {
namespace {

using ::testing::Contains;

using StartUp = RunningProgram;

TEST_F(StartUp, TheBarStandsTopmostInTheTopRightCornerWithTheMarkerOnOne) {
    StartProgram();
    const WindowHandle bar = Bar().hWnd();
    EXPECT_TRUE(Bar().Visible());
    EXPECT_TRUE(fake.desktop.IsTopmost(bar));
    EXPECT_FLOAT_EQ(Bar().Left() + Bar().Width(), fakes::FakeFormRuntime::kScreenWidthTwips);
    EXPECT_FLOAT_EQ(Bar().Top(), 0);
    EXPECT_EQ(Bar().Tag(), u"0");
    EXPECT_EQ(Bar().Caption(), u"Ombrel200902");
    EXPECT_FLOAT_EQ(Bar().Controls(bar::kMarker).Left(), 90);
    EXPECT_FLOAT_EQ(Bar().Controls(bar::kMarker).Top(), 90);
    EXPECT_EQ(Engine().Shell().DesktopIcons(), progMan);
    EXPECT_EQ(Engine().Shell().Taskbar(), trayWnd);
    EXPECT_EQ(fake.desktop.ProgramWindows(), std::vector<WindowHandle>{ProgramWindow()});
    EXPECT_FALSE(fake.forms.ProcessEnded());
}

// The first refresh starts the guard; its starter takes the service's start along, and only
// where no starter could go does the program send the request itself.
TEST_F(StartUp, TheCompanionServiceIsStartedOnceAtTheFirstRefreshByTheGuardsStarter) {
    const std::u16string service(kCompanionServiceName);
    fake.forms.SetGuardCarriesService(true);
    StartProgram();
    Tick();
    Tick();
    EXPECT_EQ(fake.forms.ServiceErrands(), 1);
    EXPECT_FALSE(fake.services.IsRunning(service));  // not by this process
    EXPECT_EQ(fake.log.Count(u"启动请求"), 0U);
    // Exit waits for a starter on its way, then stops the service.
    fake.services.Install(service, /*running=*/true);  // as the starter left it
    Click(bar::kExit);
    EXPECT_EQ(fake.forms.StarterWaits(), 1);
    EXPECT_FALSE(fake.services.IsRunning(service));
    program.reset();

    fake.forms.SetGuardCarriesService(false);
    StartProgram();
    EXPECT_FALSE(fake.services.IsRunning(service));
    Tick();
    Tick();
    EXPECT_TRUE(fake.services.IsRunning(service));
    EXPECT_EQ(fake.log.Count(u"SampleQx3Service 启动请求已发出"), 1U);
}

TEST_F(StartUp, TheBarComesBackWhereTheUserLeftItIfThatIsStillOnAScreen) {
    constexpr std::u16string_view kUserKey = u"HKCU\\Software\\Kelvora";
    StartProgram();
    Bar().MovedByWindow(300 * 15, 200 * 15);  // dragged there
    Bar().RaiseMovedByUser();
    EXPECT_EQ(fake.registry.GetString(kUserKey, u"BarPosition"), u"300,200");
    program.reset();

    StartProgram();
    EXPECT_FLOAT_EQ(Bar().Left(), 300 * 15);
    EXPECT_FLOAT_EQ(Bar().Top(), 200 * 15);
    program.reset();

    // On a screen that is gone, or not a position at all: the top right corner.
    for (std::u16string_view stored : {u"2500,200", u"300;200", u"300,", u"0x10,5", u"1e3,1"}) {
        fake.registry.PutString(kUserKey, u"BarPosition", stored);
        StartProgram();
        EXPECT_FLOAT_EQ(Bar().Left() + Bar().Width(), fakes::FakeFormRuntime::kScreenWidthTwips);
        EXPECT_FLOAT_EQ(Bar().Top(), 0);
        program.reset();
    }
}

// Screens of their own scale: a 150 % main screen of 2880 x 1800 pixels, while the system DPI
// says 96, and a 100 % screen to its right.
TEST_F(StartUp, TheBarFindsItsPlaceOnScreensOfDifferentScale) {
    constexpr float kPx = kTwipsPerScreenPixel;
    const ScreenArea main{0, 0, 2880 * kPx, 1740 * kPx, true};
    const ScreenArea second{2880 * kPx, 0, 4800 * kPx, 1080 * kPx};
    fake.forms.SetScreens({{main, 144}, {second, 96}});
    StartProgram();
    // The main screen's corner, at the main screen's scale.
    EXPECT_FLOAT_EQ(Bar().Left() + Bar().Width(), main.right);
    EXPECT_FLOAT_EQ(Bar().Top(), 0);
    const float scaledWidth = Bar().Width();

    // Left on the second screen, it comes back there, drawn at that screen's scale.
    Bar().MovedByWindow(3000 * kPx, 100 * kPx);
    Bar().RaiseMovedByUser();
    program.reset();
    StartProgram();
    EXPECT_FLOAT_EQ(Bar().Left(), 3000 * kPx);
    EXPECT_FLOAT_EQ(Bar().Top(), 100 * kPx);
    EXPECT_FLOAT_EQ(Bar().Width() * 1.5F, scaledWidth);

    // The second screen goes to 200 % and shrinks to half its pixels, leaving a sliver of the
    // bar on it: told so, the bar comes back to the main screen's corner at that one's scale.
    fake.forms.SetScreens({{main, 144}, {{2880 * kPx, 0, 3840 * kPx, 540 * kPx}, 192}});
    Bar().MovedByWindow(3835 * kPx, 100 * kPx);
    fake.desktop.SendMessage(Bar().hWnd(), 0x02E0);  // WM_DPICHANGED
    EXPECT_FLOAT_EQ(Bar().Left() + Bar().Width(), main.right);
}

TEST_F(StartUp, TheRegistryObjectsAddressTheirValuesAndTheDefaultWallpaperIsReadOnce) {
    fake.registry.PutString(u"HKU\\.DEFAULT\\Control Panel\\desktop", u"Wallpaper", u"C:\\a.bmp");
    StartProgram();
    RegistryObjects& registry = program->Registry();
    EXPECT_EQ(registry.DefaultWallpaperReg.RootKey(), kHkeyUsers);
    EXPECT_EQ(registry.DefaultWallpaperReg.KeyValue(), u"C:\\a.bmp");

    fake.registry.PutString(u"HKU\\.DEFAULT\\Control Panel\\desktop", u"Wallpaper", u"C:\\b.bmp");
    Bar().RaiseDblClick();
    program->frmConfig().RaiseClick(u"cmdApply");
    EXPECT_EQ(fake.wallpaper.Applied().back(), u"C:\\a.bmp");
}

TEST_F(StartUp, ShellFlagsStartTrueWhateverTheShellWindowsShow) {
    fake.desktop.SetVisibleByOwner(trayWnd, false);
    StartProgram();
    EXPECT_TRUE(Engine().Shell().TaskbarShown());
    EXPECT_TRUE(Engine().Shell().DesktopIconsShown());
}

TEST_F(StartUp, ASecondInstanceEndsAtOnceAndTouchesNothing) {
    const WindowHandle app = OpenApp();
    // The instance object exists, or an instance started as administrator made it and it
    // refuses us.
    fake.forms.SetInstanceObjectError(kErrorObjectRefused);
    StartProgram();
    EXPECT_TRUE(program->Ended());
    fake.forms.SetPreviousInstance(true);
    StartProgram();
    EXPECT_TRUE(fake.forms.ProcessEnded());
    EXPECT_TRUE(program->Ended());
    EXPECT_FALSE(Bar().Visible());
    EXPECT_FALSE(fake.desktop.IsCombinationHeld(ModControl, kVkF1));
    EXPECT_FALSE(fake.services.IsRunning(std::u16string(kCompanionServiceName)));
    EXPECT_TRUE(Visible(app));
    EXPECT_EQ(fake.desktop.SyncShowCalls() + fake.desktop.AsyncShowCalls(), 0);
}

TEST_F(StartUp, StartingItAgainBringsBackTheRunningInstancesHiddenBar) {
    StartProgram();
    Press(kToggleBar);
    ASSERT_FALSE(Bar().Visible());
    fake.forms.SetPreviousInstance(true);
    Program second(fake.platform, fake.texts);
    second.Start();
    EXPECT_TRUE(second.Ended());
    EXPECT_TRUE(Bar().Visible());
}

TEST_F(StartUp, NoFailureStopsTheStartUp) {
    fake.services.DenyManager();
    fake.desktop.Failures().Fail("SetTopmost", 5);
    fake.desktop.Failures().Fail("FindWindow", 2);
    const WindowHandle app = OpenApp();
    StartProgram();
    EXPECT_TRUE(Bar().Visible());
    EXPECT_THAT(Set(0), Contains(app));
    EXPECT_EQ(fake.desktop.HotkeysHeldBy(ProgramWindow()), 21U);
}

class ShutDown : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        for (WindowHandle& window : apps) {
            window = OpenApp();
        }
        StartProgram();
        // apps[0..1] stay on desktop 1, apps[2] goes to 2 by hotkey, apps[3] opens on 3.
        fake.desktop.SetForeground(apps[2]);
        Press(kFirstSendCode + 1);
        Click(bar::kDesktop, 2);
        apps[3] = OpenApp();
        Tick();
        Click(bar::kDesktop, 4);
        Click(bar::kDesktopIcons);
        Click(bar::kTaskbar);
        bar = Bar().hWnd();
        window = ProgramWindow();
    }

    std::array<WindowHandle, 4> apps{};
    WindowHandle bar{};
    WindowHandle window{};
};

TEST_F(ShutDown, ExitShowsEveryHeldWindowTheIconsAndTheTaskbar) {
    for (WindowHandle window : apps) {
        ASSERT_FALSE(Visible(window));
    }
    fake.desktop.CloseWindow(apps[1]);  // closed meanwhile: its show just fails
    const int activations = fake.desktop.Activations();
    Click(bar::kExit);
    EXPECT_EQ(fake.desktop.Activations(), activations);  // the focus stays where it is
    EXPECT_TRUE(Visible(apps[0]));
    EXPECT_TRUE(Visible(apps[2]));
    EXPECT_TRUE(Visible(apps[3]));
    EXPECT_TRUE(Visible(progMan));
    EXPECT_TRUE(Visible(trayWnd));
}

// Signing out: programs asked to end may ask the user to save, from windows he must see. Should
// he cancel, every window is on the desktop he is on.
TEST_F(ShutDown, AnEndingSessionShowsEveryWindowOnTheCurrentDesktop) {
    Bar().RaiseSessionEnding();
    for (WindowHandle window : apps) {
        EXPECT_TRUE(Visible(window));
    }
    EXPECT_FALSE(Visible(trayWnd));  // the user's choice stays until the session does end
    const int current = Engine().CurrentDesktop();
    Engine().Run(Command::SwitchTo((current + 1) % kDesktopCount));
    for (WindowHandle window : apps) {
        EXPECT_FALSE(Visible(window));
    }
    Engine().Run(Command::SwitchTo(current));
    for (WindowHandle window : apps) {
        EXPECT_TRUE(Visible(window));
    }
}

TEST_F(ShutDown, ExitReleasesTheHotkeysDestroysTheProgramWindowStopsTheServiceAndEnds) {
    ASSERT_TRUE(fake.desktop.Exists(window));
    // Unloading destroys the bar, so look at the shut-down's last step.
    bool windowAtEnd = true;
    fake.forms.AtEndProcess([&] { windowAtEnd = fake.desktop.Exists(window); });
    Click(bar::kExit);
    EXPECT_FALSE(windowAtEnd);
    EXPECT_EQ(fake.desktop.HotkeysHeldBy(window), 0U);
    for (const HotkeyRow& row : kHotkeyTable) {
        EXPECT_FALSE(fake.desktop.IsCombinationHeld(row.modifiers, row.virtualKey));
    }
    EXPECT_FALSE(fake.services.IsRunning(std::u16string(kCompanionServiceName)));
    EXPECT_EQ(fake.forms.EndCount(), 1);
    // Both requests to the service are in the log, written out before the process ends.
    EXPECT_EQ(fake.log.Count(u"SampleQx3Service 启动请求已发出"), 1U);
    EXPECT_EQ(fake.log.Count(u"SampleQx3Service 停止请求已发出"), 1U);
    EXPECT_EQ(fake.log.Flushes(), 1);
}

}  // namespace
}  // namespace ombrel::testing
