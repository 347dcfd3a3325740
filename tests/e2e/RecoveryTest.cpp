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

TEST_F(NeverLoseAWindow, AfterAKillTheGuardShowsEveryHiddenWindowWithinTwoSeconds) {
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
    // The next start finds them shown and leaves them so.
    StartOmbrel();
    LetARefreshPass();
    EXPECT_TRUE(AllVisible(windows, true));
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
