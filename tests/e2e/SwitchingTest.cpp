// Switching, sending, the toggles, and a hung program, with real keys and clicks.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "Session.h"
#include "win32/CommandPipe.h"

namespace ombrel::e2e {
namespace {

using namespace std::chrono_literals;
using Desktops = Session;

TEST_F(Desktops, HotkeysAndButtonsSwitchBetweenTwoDesktopsOfWindows) {
    StartOmbrel();
    const std::vector<HWND> one = OpenApp(L"Desk one", 3);
    LetARefreshPass();

    ASSERT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, false); }));
    const std::vector<HWND> two = OpenApp(L"Desk two", 2);
    LetARefreshPass();

    ASSERT_TRUE(SwitchTo(1));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, true) && AllVisible(two, false); }));

    // Again to the current desktop: nothing changes.
    Press({VK_CONTROL, VK_F1});
    EXPECT_FALSE(WaitFor([&] { return !AllVisible(one, true) || AllVisible(two, true); }, 500ms));

    ASSERT_TRUE(ClickDesktopButton(2));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, false) && AllVisible(two, true); }));
    ASSERT_TRUE(ClickDesktopButton(1));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, true) && AllVisible(two, false); }));
}

TEST_F(Desktops, CtrlAltF3SendsTheActiveWindowAwayAndCtrlF3BringsItBack) {
    StartOmbrel();
    const std::vector<HWND> apps = OpenApp(L"Send", 2);
    LetARefreshPass();
    const HWND sent = apps.back();
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == sent; }));

    EXPECT_TRUE(PressFor({VK_CONTROL, VK_MENU, VK_F3}, [&] { return !Visible(sent); }));
    EXPECT_TRUE(Visible(apps.front()));
    ASSERT_TRUE(SwitchTo(3));
    EXPECT_TRUE(WaitFor([&] { return Visible(sent) && !Visible(apps.front()); }));

    // To the current desktop, nothing; with the bar in front, nothing either.
    ::SetForegroundWindow(sent);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == sent; }));
    Press({VK_CONTROL, VK_MENU, VK_F3});
    EXPECT_FALSE(WaitFor([&] { return !Visible(sent); }, 500ms));
    ::SetForegroundWindow(Bar());
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == Bar(); }));
    Press({VK_CONTROL, VK_MENU, VK_F4});
    EXPECT_FALSE(WaitFor([&] { return !Visible(Bar()); }, 500ms));

    // It left desktop 1 for good, refresh or not.
    ASSERT_TRUE(SwitchTo(1));
    EXPECT_TRUE(WaitFor([&] { return Visible(apps.front()); }));
    EXPECT_FALSE(Visible(sent));
}

TEST_F(Desktops, ADialogIsSentWithItsProgramAndATooltipStaysOutOfTheDesktops) {
    StartOmbrel();
    const std::vector<HWND> family = OpenApp(L"Family", 2, L"--owned --tip");
    HWND tip = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (tip = ::FindWindowW(nullptr, L"Family tip")) != nullptr; }));
    LetARefreshPass();
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == family.back(); }));
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_MENU, VK_F2}, [&] { return AllVisible(family, false); }));
    EXPECT_TRUE(Visible(tip));  // neither hidden nor shown by a switch
    ASSERT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(family, true); }));
    ASSERT_TRUE(SwitchTo(1));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(family, false); }));
    EXPECT_TRUE(Visible(tip));
}

// Runs Ombrel.exe with the words, as a script would: its exit code, and what it printed to
// the pipe standing for its standard output.
int RunOmbrelCommand(const std::wstring& words, std::string* output) {
    return driver::RunToEnd(L"\"" + WinePath(OMBREL_EXE_PATH) + L"\" " + words, output);
}

TEST_F(Desktops, TheCommandLineReachesTheRunningInstanceAndListsItsWindows) {
    std::string output;
    EXPECT_EQ(RunOmbrelCommand(L"switch 2", &output), 1);  // not running: nothing is started
    EXPECT_EQ(driver::FindBar(), nullptr);
    StartOmbrel();
    const std::vector<HWND> one = OpenApp(L"甲", 2);
    LetARefreshPass();
    EXPECT_EQ(RunOmbrelCommand(L"switch 2", &output), 0);
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, false); }));
    EXPECT_EQ(BarCaption(), DesktopCaption(2));
    // A title that would send the terminal an escape sequence and forge a column.
    const std::vector<HWND> two = OpenApp(L"乙\x1B]0;x\x07\tz", 1);
    LetARefreshPass();

    output.clear();
    EXPECT_EQ(RunOmbrelCommand(L"list", &output), 0);
    EXPECT_EQ(output,
              "1\t\tOmbrelTestApp.exe\t\xE7\x94\xB2 2\r\n1\t\tOmbrelTestApp.exe\t\xE7\x94\xB2 1\r\n"
              "2\t*\tOmbrelTestApp.exe\t\xE4\xB9\x99\uFFFD]0;x\uFFFD\uFFFDz\r\n")
        << output;
    output.clear();
    EXPECT_EQ(RunOmbrelCommand(L"list --json", &output), 0);
    const nlohmann::json state = nlohmann::json::parse(output, nullptr, false);
    ASSERT_FALSE(state.is_discarded()) << output;
    EXPECT_EQ(state["current"], 2);
    EXPECT_EQ(state["desktops"][0]["windows"].size(), 2U);
    EXPECT_EQ(state["desktops"][1]["windows"][0]["handle"],
              reinterpret_cast<std::uintptr_t>(two.front()));
    EXPECT_EQ(state["desktops"][1]["windows"][0]["program"], "OmbrelTestApp.exe");
    // Redirected to NUL: nothing reaches the console, and the code still tells.
    output.clear();
    EXPECT_EQ(
        driver::RunToEnd(L"cmd /c \"\"" + WinePath(OMBREL_EXE_PATH) + L"\" list >NUL\"", &output),
        0);
    EXPECT_EQ(output, "");
    output.clear();
    EXPECT_EQ(RunOmbrelCommand(L"switch 10", &output), 2);
    EXPECT_NE(output.find("switch N"), std::string::npos);  // the usage
    EXPECT_EQ(RunOmbrelCommand(L"exit", &output), 0);
    EXPECT_TRUE(
        WaitFor([this] { return ::WaitForSingleObject(OmbrelProcess(), 0) == WAIT_OBJECT_0; }));
    EXPECT_TRUE(AllVisible(one, true));
}

// The finder lists the windows of every desktop; what is typed filters them, and Enter goes to
// the window chosen: its desktop current, the window in front.
TEST_F(Desktops, TheFinderFindsAWindowOfAnotherDesktopByTyping) {
    StartOmbrel();
    const std::vector<HWND> notes = OpenApp(L"Notes", 2);
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(2));
    const std::vector<HWND> mail = OpenApp(L"收件箱 - Mail", 1);
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(3));
    std::string output;
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(RunOmbrelCommand(L"find", &output), 0) << output;
    HWND finder = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        finder = ::FindWindowW(L"Ombrel.Finder", nullptr);
        return finder != nullptr && ::IsWindowVisible(finder);
    }));
    std::printf("the finder was open %lld ms after the command was started\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - asked)
                                           .count()));
    EXPECT_EQ(driver::WindowTitle(finder), L"查找窗口");
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == finder; }));
    const HWND box = ::FindWindowExW(finder, nullptr, L"Edit", nullptr);
    const HWND list = ::FindWindowExW(finder, nullptr, L"ListBox", nullptr);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_GE(::SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    SaveScreenshot(L"finder", finder);

    driver::TypeText(box, L"MAIL");
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }));
    ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitFor([&] { return BarCaption() == DesktopCaption(2); }));
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == mail.front(); }));
    EXPECT_FALSE(::IsWindowVisible(finder));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(notes, false); }));
}

TEST_F(Desktops, ThePipeServesOnlyTheUserAndAFollowerHearsEverySwitch) {
    // A pipe another program made under the name is not Ombrel: told nothing, "not running".
    const std::wstring name = win32::CommandPipeName();
    const HANDLE squatter =
        ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                           PIPE_TYPE_MESSAGE, 4, 4096, 4096, 0, nullptr);
    ASSERT_NE(squatter, INVALID_HANDLE_VALUE);
    std::string output;
    EXPECT_EQ(RunOmbrelCommand(L"switch 2", &output), 1);
    EXPECT_NE(output.find("\xE5\x8D\xA0\xE7\x94\xA8"), std::string::npos) << output;  // "占用"

    // Started while the name is held, it takes the name at a refresh once it is free.
    StartOmbrel();
    const std::vector<HWND> one = OpenApp(L"Piped", 1);
    LetARefreshPass();
    ::CloseHandle(squatter);
    EXPECT_TRUE(WaitFor([&] { return RunOmbrelCommand(L"list", &output) == 0; }, 5s));
    // A caller that connects and says nothing holds up neither the keys nor other callers.
    const HANDLE silent =
        ::CreateFileW(name.c_str(), win32::kCallerAccess, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(silent, INVALID_HANDLE_VALUE) << ::GetLastError();
    // The user's own SID (and the owner) alone may open it, to read and write; below medium
    // integrity, neither.
    const std::wstring security = win32::CommandPipeSecurity::Describe(silent);
    std::printf("command pipe %ls: %ls\n", name.c_str(), security.c_str());
    const std::size_t label = security.find(L"S:");
    const std::wstring dacl = security.substr(0, label);
    EXPECT_TRUE(dacl.starts_with(L"D:P(A;;0x12019b;;;S-1-5-21-")) << security;  // not a group
    EXPECT_TRUE(dacl.ends_with(L")(A;;0x12019b;;;OW)")) << security;
    EXPECT_EQ(std::count(dacl.begin(), dacl.end(), L'('), 2) << security;
    if (label != std::wstring::npos) {  // Wine keeps no label
        EXPECT_NE(security.find(L"(ML;;NWNR;;;", label), std::wstring::npos) << security;
    }
    driver::FollowedProcess watch(L"\"" + WinePath(OMBREL_EXE_PATH) + L"\" watch");
    ASSERT_TRUE(WaitFor([&] { return watch.Printed("\"current\":1"); }));
    ASSERT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, false); }));
    EXPECT_TRUE(WaitFor([&] {
        return watch.Printed("{\"current\":2,\"desktop\":2,\"event\":\"switch\"}");
    })) << watch.Unread();
    EXPECT_EQ(RunOmbrelCommand(L"switch 1", &output), 0);
    EXPECT_TRUE(WaitFor(
        [&] { return watch.Printed("{\"current\":1,\"desktop\":1,\"event\":\"switch\"}"); }));
    ::CloseHandle(silent);
    // The follower ends with Ombrel, having been told everything.
    EXPECT_EQ(RunOmbrelCommand(L"exit", &output), 0);
    EXPECT_EQ(::WaitForSingleObject(watch.Process(), 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(watch.Process(), &code);
    EXPECT_EQ(code, 0U);
}

TEST_F(Desktops, APinnedWindowStaysThroughSwitchesAndARuleSendsANewWindowToItsDesktop) {
    SaveSettingsFile(R"({ "rules": [ { "title": "Ruled*", "desktop": 3 } ] })");
    StartOmbrel();
    const HWND player = OpenOne(L"Player");
    LetARefreshPass();
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == player; }));
    std::string output;
    EXPECT_EQ(RunOmbrelCommand(L"pin", &output), 0);
    for (const int desktop : {2, 1}) {
        ASSERT_TRUE(SwitchTo(desktop));
        EXPECT_FALSE(WaitFor([&] { return !Visible(player); }, 500ms)) << "hidden on " << desktop;
    }
    // Seen for the first time: to desktop 3 within a refresh, and never shown here again.
    const HWND ruled = OpenOne(L"Ruled mail");
    EXPECT_TRUE(WaitFor([&] { return !Visible(ruled); }, 2500ms));
    ASSERT_TRUE(SwitchTo(3));
    EXPECT_TRUE(WaitFor([&] { return Visible(ruled); }));
    EXPECT_TRUE(Visible(player));
    EXPECT_EQ(RunOmbrelCommand(L"list", &output), 0);
    EXPECT_TRUE(output.starts_with("P\t*\tOmbrelTestApp.exe\tPlayer\r\n")) << output;
    ::DeleteFileW(SettingsFilePath().c_str());
}

// Wine tells Ombrel only that a window was created; the look that follows places it.
TEST_F(Desktops, ARuleHidesANewWindowPromptlyAndFollowGoesToAWindowItsProgramBringsUp) {
    SaveSettingsFile(R"({ "onActivate": "follow",
                          "rules": [ { "title": "Prompt*", "desktop": 3 } ] })");
    StartOmbrel();
    const HWND away = OpenOne(L"Away");
    LetARefreshPass();
    double worst = 0;
    for (int round = 1; round <= 5; ++round) {
        const std::wstring title = L"Prompt " + std::to_wstring(round);
        StartApp(title);
        // Looked for every millisecond: Ombrel looks some milliseconds after the window was
        // made, so the driver sees it on the screen first.
        HWND window = nullptr;
        const auto started = std::chrono::steady_clock::now();
        while (window == nullptr || !Visible(window)) {
            ASSERT_LT(std::chrono::steady_clock::now() - started, 10s) << "did not open";
            ::Sleep(1);
            window = ::FindWindowW(nullptr, title.c_str());
        }
        const auto shown = std::chrono::steady_clock::now();
        ASSERT_TRUE(WaitFor([&] { return !Visible(window); })) << "not placed";
        worst = std::max(worst, std::chrono::duration<double, std::milli>(
                                    std::chrono::steady_clock::now() - shown)
                                    .count());
    }
    std::printf("[ measure ] a rule placed a new window: the worst of 5 in %.0f ms\n", worst);
    EXPECT_LT(worst, 300);

    ASSERT_TRUE(SwitchTo(2));
    LetARefreshPass();
    ::ShowWindowAsync(away, SW_SHOW);  // as its program brings it up
    EXPECT_TRUE(WaitFor([&] { return BarCaption() == DesktopCaption(1); }, 2500ms));
    EXPECT_TRUE(Visible(away));
    ::DeleteFileW(SettingsFilePath().c_str());
}

TEST_F(Desktops, ADesktopButtonsMenuBringsAWindowBackAndAFlashMarksItsDesktop) {
    StartOmbrel();
    const HWND mail = OpenOne(L"收件箱 - 邮件");
    const HWND notes = OpenOne(L"笔记.txt - 记事本");
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return !Visible(mail) && !Visible(notes); }));
    // Wine has no shell hook: the news the system would send is posted as it would come, to
    // the window Ombrel has hear it.
    ::PostMessageW(::FindWindowW(L"OmbrelProgram", nullptr), ::RegisterWindowMessageW(L"SHELLHOOK"),
                   0x8006, reinterpret_cast<LPARAM>(mail));
    SaveScreenshot(L"bar-attention", Bar());

    const HWND one = driver::FindChildButton(Bar(), L"1");
    ASSERT_NE(one, nullptr);
    HWND menu = nullptr;
    ASSERT_TRUE(TryUntil([&] { driver::RightClickAt(driver::CenterOf(one)); },
                         [&] {
                             menu = ::FindWindowW(L"#32768", nullptr);
                             return menu != nullptr && ::IsWindowVisible(menu);
                         }));
    RECT both{};
    const RECT bar = driver::WindowRect(Bar());
    const RECT shown = driver::WindowRect(menu);
    ::UnionRect(&both, &bar, &shown);
    SaveScreenshot(L"desktop-menu", both);
    // The second entry, the window under the top one: it comes back in front.
    driver::PressKeys({VK_DOWN});
    driver::PressKeys({VK_DOWN});
    driver::PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor(
        [&] { return BarCaption() == DesktopCaption(1) && ::GetForegroundWindow() == mail; }));
    EXPECT_TRUE(Visible(notes));
}

TEST_F(Desktops, TheIconTaskbarAndBarTogglesByKeyAndButton) {
    const HWND icons = OpenApp(L"Program Manager", 1, L"--class Progman").front();
    const HWND taskbar = OpenApp(L"taskbar", 1, L"--class Shell_TrayWnd").front();
    StartOmbrel();

    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F10}, [&] { return !Visible(icons); }));
    EXPECT_TRUE(ClickFor(Bar(), L"桌  面", [&] { return Visible(icons); }));

    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F11}, [&] { return !Visible(taskbar); }));
    EXPECT_TRUE(ClickFor(Bar(), L"任务栏", [&] { return Visible(taskbar); }));

    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F12}, [&] { return !Visible(Bar()); }));
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F12}, [&] { return Visible(Bar()); }));
    EXPECT_TRUE(ClickFor(Bar(), L"隐  藏", [&] { return !Visible(Bar()); }));
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F12}, [&] { return Visible(Bar()); }));

    // Explorer restarts with both hidden: its new windows are found and hidden again.
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F10}, [&] { return !Visible(icons); }));
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F11}, [&] { return !Visible(taskbar); }));
    EndAppOf(icons);
    EndAppOf(taskbar);
    const HWND newIcons = OpenApp(L"Program Manager", 1, L"--class Progman").front();
    const HWND newTaskbar = OpenApp(L"taskbar", 1, L"--class Shell_TrayWnd").front();
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !Visible(newIcons) && !Visible(newTaskbar); }));
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F11}, [&] { return Visible(newTaskbar); }));
}

TEST_F(Desktops, AHungProgramNeitherSlowsASwitchNorStopsTheHotkeys) {
    StartOmbrel();
    const std::vector<HWND> apps = OpenApp(L"Alive", 3);
    const HWND frozen = OpenApp(L"Frozen", 1, L"--hang").front();
    LetARefreshPass();
    ASSERT_TRUE(Visible(frozen));

    const auto start = std::chrono::steady_clock::now();
    Press({VK_CONTROL, VK_F2});
    ASSERT_TRUE(WaitFor([&] { return AllVisible(apps, false); }, 1s))
        << "the other windows were not hidden within a second";
    Press({VK_CONTROL, VK_F1});
    ASSERT_TRUE(WaitFor([&] { return AllVisible(apps, true); }, 1s))
        << "the other windows did not come back within a second";
    const auto took = std::chrono::steady_clock::now() - start;
    std::printf("[ measure  ] round trip with a hung window: %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    EXPECT_TRUE(SwitchTo(3));
}

TEST_F(Desktops, AProgramThatStopsAnsweringAcrossASwitchKeepsItsWindowOnOneDesktop) {
    StartOmbrel();
    const HWND slow = OpenOne(L"Slow");
    LetARefreshPass();
    constexpr UINT kStopAnswering = WM_APP + 7;  // the test program's: wParam seconds
    ASSERT_TRUE(::PostMessageW(slow, kStopAnswering, 15, 0));
    ::Sleep(300);
    ASSERT_TRUE(SwitchTo(2));
    // A status bar that asks all the while: a dozen lists over the hang.
    std::string output;
    for (int call = 0; call < 12; ++call) {
        EXPECT_EQ(RunOmbrelCommand(L"list --json", &output), 0);
        ::Sleep(1000);
    }
    EXPECT_TRUE(WaitFor([&] { return !Visible(slow); }, 10s)) << "the program never woke";
    LetARefreshPass();
    output.clear();
    ASSERT_EQ(RunOmbrelCommand(L"list --json", &output), 0);
    const nlohmann::json state = nlohmann::json::parse(output, nullptr, false);
    ASSERT_FALSE(state.is_discarded()) << output;
    ASSERT_EQ(state["desktops"][0]["windows"].size(), 1U) << output;
    EXPECT_EQ(state["desktops"][0]["windows"][0]["handle"], reinterpret_cast<std::uintptr_t>(slow));
    EXPECT_EQ(state["desktops"][1]["windows"].size(), 0U) << output;
    EXPECT_TRUE(SwitchTo(1));
    EXPECT_TRUE(WaitFor([&] { return Visible(slow); }));
}

TEST_F(Desktops, ASignOutShowsEveryWindowAndACancelledOneLeavesThemOnTheCurrentDesktop) {
    StartOmbrel();
    const std::vector<HWND> one = OpenApp(L"一", 2);
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(2));
    const HWND two = OpenOne(L"二");
    LetARefreshPass();
    ASSERT_TRUE(AllVisible(one, false));
    // What the system sends every program at a sign-out, then its word that it was cancelled.
    const HWND owner = ::FindWindowW(L"OmbrelOwner", nullptr);
    ASSERT_NE(owner, nullptr);
    DWORD_PTR answer = 0;
    ASSERT_NE(::SendMessageTimeoutW(owner, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                    5000, &answer),
              0);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, true); }));
    ::SendMessageTimeoutW(owner, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                          &answer);
    ASSERT_TRUE(SwitchTo(3));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, false) && !Visible(two); }));
    ASSERT_TRUE(SwitchTo(2));
    EXPECT_TRUE(WaitFor([&] { return AllVisible(one, true) && Visible(two); }));
}

// Reported, not asserted: what a round trip does to desktop 1's stacking order and focus.
TEST_F(Desktops, ARoundTripGivesTheFocusBackToTheWindowThatHadIt) {
    StartOmbrel();
    const std::vector<HWND> apps = OpenApp(L"Stack", 10);
    LetARefreshPass();
    auto order = [&apps] {
        std::vector<HWND> stacked;
        for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
             window = ::GetWindow(window, GW_HWNDNEXT)) {
            if (std::find(apps.begin(), apps.end(), window) != apps.end()) {
                stacked.push_back(window);
            }
        }
        return stacked;
    };
    const std::vector<HWND> before = order();
    const HWND focusBefore = ::GetForegroundWindow();
    ASSERT_TRUE(PressFor({VK_CONTROL, VK_F2}, [&] { return AllVisible(apps, false); }));
    ASSERT_TRUE(PressFor({VK_CONTROL, VK_F1}, [&] { return AllVisible(apps, true); }));
    // The top window takes the focus a moment after it is shown.
    EXPECT_TRUE(
        WaitFor([&] { return ::GetForegroundWindow() == focusBefore; }, std::chrono::seconds(2)));
    // The whole order is the benchmark's to measure: under load Wine now and then lets one
    // program's windows overtake another's.
    const std::vector<HWND> after = order();
    int samePlace = 0;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        samePlace += before[i] == after[i] ? 1 : 0;
    }
    std::printf("[ measure  ] stacking: %d of %zu windows kept their place\n", samePlace,
                before.size());
}

}  // namespace
}  // namespace ombrel::e2e
