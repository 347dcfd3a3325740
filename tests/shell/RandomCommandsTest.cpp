#include <gtest/gtest.h>

#include <random>
#include <set>

#include "RunningProgram.h"

namespace ombrel::testing {
namespace {

using RandomUse = RunningProgram;

// Whatever the user does, exit gives back every window that its own program did not hide.
TEST_F(RandomUse, TenThousandCommandsThenExitLeaveNoWindowHidden) {
    constexpr fakes::ThreadId kHungThread = 42;
    std::mt19937 random(20260907);
    auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };

    std::vector<WindowHandle> apps;
    std::set<WindowHandle> hiddenByOwner;
    for (int i = 0; i < 5; ++i) {
        apps.push_back(OpenApp(kAppThread + static_cast<fakes::ThreadId>(i % 3)));
    }
    StartProgram();
    bool hung = false;

    for (int step = 0; step < 10'000; ++step) {
        switch (pick(10)) {
            case 0:
                Press(static_cast<int>(pick(kHotkeyCount)));
                break;
            case 1:
                Click(bar::kDesktop, static_cast<int>(pick(kDesktopCount)));
                break;
            case 2:
                Click(pick(2) == 0 ? bar::kDesktopIcons : bar::kTaskbar);
                break;
            case 3:
                Tick();
                break;
            case 4:
                apps.push_back(OpenApp(pick(8) == 0 ? kHungThread : kAppThread));
                break;
            case 5:
                if (!apps.empty()) {
                    const std::size_t at = pick(apps.size());
                    fake.desktop.CloseWindow(apps[at]);
                    hiddenByOwner.erase(apps[at]);
                    apps.erase(apps.begin() + static_cast<std::ptrdiff_t>(at));
                }
                break;
            case 6:
                if (!apps.empty()) {
                    fake.desktop.SetForeground(apps[pick(apps.size())]);
                    Press(kFirstSendCode + static_cast<int>(pick(kDesktopCount)));
                }
                break;
            case 7: {
                static constexpr std::u16string_view kButtons[] = {bar::kHide, bar::kHelp,
                                                                   bar::kSettings};
                Click(kButtons[pick(3)]);
                break;
            }
            case 8:
                if (!apps.empty()) {
                    const WindowHandle window = apps[pick(apps.size())];
                    const bool show = pick(2) == 0;
                    fake.desktop.SetVisibleByOwner(window, show);
                    if (show) {
                        hiddenByOwner.erase(window);
                    } else {
                        hiddenByOwner.insert(window);
                    }
                }
                break;
            default:
                hung = !hung;
                if (hung) {
                    fake.desktop.HangThread(kHungThread);
                } else {
                    fake.desktop.ResumeThread(kHungThread);
                }
                break;
        }
    }

    Click(bar::kExit);
    fake.desktop.ResumeThread(kHungThread);
    EXPECT_TRUE(fake.forms.ProcessEnded());
    EXPECT_EQ(fake.desktop.HangsObserved(), 0);
    EXPECT_TRUE(Visible(progMan));
    EXPECT_TRUE(Visible(trayWnd));
    for (WindowHandle window : apps) {
        if (!hiddenByOwner.contains(window)) {
            EXPECT_TRUE(Visible(window)) << "window " << static_cast<std::uintptr_t>(window);
        }
    }
}

}  // namespace
}  // namespace ombrel::testing
