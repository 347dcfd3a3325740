// Never lose a window: a killed or crashed Ombrel leaves nothing hidden.
#include <windows.h>

#include <chrono>

#include "Session.h"

namespace ombrel::e2e {
namespace {

using namespace std::chrono_literals;

class NeverLoseAWindow : public Session {
  protected:
    // Windows on desktops 1, 2 and 3, with desktop 4 current: all of them hidden.
    std::vector<HWND> HideWindowsOnThreeDesktops() {
        std::vector<HWND> all;
        for (int desktop = 1; desktop <= 3; ++desktop) {
            if (desktop > 1) {
                EXPECT_TRUE(SwitchTo(desktop));
            }
            for (HWND window : OpenApp(L"Desktop " + std::to_wstring(desktop), 2)) {
                all.push_back(window);
            }
            LetARefreshPass();
        }
        EXPECT_TRUE(SwitchTo(4));
        EXPECT_TRUE(WaitFor([&] { return AllVisible(all, false); }));
        return all;
    }
};

TEST_F(NeverLoseAWindow, AfterAKillTheGuardShowsEveryWindowAndTheNextStartPutsThemBack) {
    StartOmbrel();
    const std::vector<HWND> windows = HideWindowsOnThreeDesktops();  // the guard runs by now
    const auto start = std::chrono::steady_clock::now();
    KillOmbrel();
    EXPECT_TRUE(WaitFor([&] { return AllVisible(windows, true); }, 2s))
        << "the guard did not bring the hidden windows back";
    const auto took = std::chrono::steady_clock::now() - start;
    std::printf("[ measure  ] windows back after a kill: %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    // The next start puts the arrangement back: desktop 4 current, the others' windows hidden.
    const auto restart = std::chrono::steady_clock::now();
    StartOmbrel();
    EXPECT_TRUE(WaitFor([&] { return AllVisible(windows, false); }, 2s))
        << "the windows of the other desktops were not hidden again";
    std::printf("[ measure  ] arrangement back after the next start: %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - restart)
                                           .count()));
    EXPECT_EQ(BarCaption(), DesktopCaption(4));
    EXPECT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return AllVisible({windows[2], windows[3]}, true); }));
    EXPECT_FALSE(Visible(windows[0]));
}

TEST_F(NeverLoseAWindow, ACrashShowsEveryHiddenWindowBeforeTheProcessDies) {
    StartOmbrel();
    const std::vector<HWND> windows = HideWindowsOnThreeDesktops();
    // A thread that starts at address 0 faults at once: an unhandled exception in Ombrel.
    const HANDLE thread =
        ::CreateRemoteThread(OmbrelProcess(), nullptr, 0, nullptr, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::CloseHandle(thread);
    EXPECT_EQ(::WaitForSingleObject(OmbrelProcess(), 10000), WAIT_OBJECT_0) << "it did not die";
    EXPECT_TRUE(WaitFor([&] { return AllVisible(windows, true); }, 2s))
        << "the crash left windows hidden";
}

}  // namespace
}  // namespace ombrel::e2e
