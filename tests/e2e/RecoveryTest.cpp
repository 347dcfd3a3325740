// Never lose a window: a killed or crashed Ombrel leaves nothing hidden.
#include <windows.h>

#include <chrono>
#include <string>

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

// With remember on, the arrangement outlives Ombrel, its programs and the log-on: started again
// after all three, each program's windows go back to their desktops, desktop 1 current.
TEST_F(NeverLoseAWindow, RememberedWindowsGoBackToTheirDesktopsWhenTheirProgramsStartAgain) {
    SaveSettingsFile(R"({ "remember": true })");
    StartOmbrel();
    OpenOne(L"Player");
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(2));
    OpenOne(L"Mail");
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(3));
    OpenApp(L"Notes", 2);
    LetARefreshPass();
    ASSERT_TRUE(ClickFor(
        Bar(), L"退出",
        [this] { return ::WaitForSingleObject(OmbrelProcess(), 0) == WAIT_OBJECT_0; },
        std::chrono::seconds(10)))
        << "still running";
    // As after a restart of the computer: the programs gone, and the log-on's list with them.
    EndAllApps();
    ResetRegistry();

    StartOmbrel();
    for (const wchar_t* program : {L"Player", L"Mail"}) {
        StartApp(program);
    }
    StartApp(L"Notes", 2);
    const auto started = std::chrono::steady_clock::now();
    std::vector<HWND> windows;
    for (const wchar_t* title : {L"Player", L"Mail", L"Notes 1", L"Notes 2"}) {
        HWND window = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (window = ::FindWindowW(nullptr, title)) != nullptr; }))
            << "no window " << title;
        windows.push_back(window);
    }
    EXPECT_TRUE(WaitFor(
        [&] {
            return AllVisible({windows[1], windows[2], windows[3]}, false);
        },
        2s))
        << "the windows of desktops 2 and 3 were not put back";
    std::printf("[ measure  ] remembered windows placed: %lld ms after their programs started\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - started)
                                           .count()));
    // Desktop 1 stays current: the bar still wears its first caption, which no switch changed.
    EXPECT_TRUE(Visible(windows[0]));
    EXPECT_EQ(BarCaption(), L"Ombrel200902");
    ASSERT_TRUE(SwitchTo(3));
    EXPECT_TRUE(WaitFor([&] { return AllVisible({windows[2], windows[3]}, true); }));
    EXPECT_FALSE(Visible(windows[1]));
    ASSERT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return Visible(windows[1]); }));
    EXPECT_FALSE(Visible(windows[0]));
}

// The guard is no child of Ombrel's: ending the tree ends every process Ombrel started.
TEST_F(NeverLoseAWindow, EndingOmbrelsProcessTreeLeavesTheGuardToShowEveryWindow) {
    StartOmbrel();
    const std::vector<HWND> windows = HideWindowsOnThreeDesktops();
    driver::EndProcessTree(OmbrelProcess());
    EXPECT_TRUE(WaitFor([&] { return AllVisible(windows, true); }, 2s))
        << "the tree's end left windows hidden";
}

// A launcher's job that ends its programs when it closes, and lets them break away.
TEST_F(NeverLoseAWindow, ClosingAJobThatHoldsOmbrelLeavesTheGuardToShowEveryWindow) {
    const HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_BREAKAWAY_OK;
    ASSERT_TRUE(
        ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits)));
    StartOmbrel(false, job);
    const std::vector<HWND> windows = HideWindowsOnThreeDesktops();
    ::CloseHandle(job);
    EXPECT_TRUE(WaitFor([&] { return AllVisible(windows, true); }, 2s))
        << "the job's end left windows hidden";
    EXPECT_EQ(::WaitForSingleObject(OmbrelProcess(), 0), WAIT_OBJECT_0) << "the job did not end it";
}

// What most people type. The guard has an image name of its own; ended alone, it is started
// again.
TEST_F(NeverLoseAWindow, TaskkillOfOmbrelsImageNameLeavesTheGuardToShowEveryWindow) {
    StartOmbrel();
    const std::vector<HWND> windows = HideWindowsOnThreeDesktops();
    std::string output;
    EXPECT_EQ(driver::RunToEnd(L"taskkill /f /im OmbrelGuard.exe", &output), 0) << output;
    LetARefreshPass();
    LetARefreshPass();
    EXPECT_TRUE(AllVisible(windows, false));
    EXPECT_EQ(driver::RunToEnd(L"taskkill /f /im Ombrel.exe", &output), 0) << output;
    EXPECT_TRUE(WaitFor([&] { return AllVisible(windows, true); }, 2s))
        << "taskkill left windows hidden";
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
