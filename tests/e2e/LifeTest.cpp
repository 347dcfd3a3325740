// Start-up, a second start, a hotkey held elsewhere, and exit.
#include <windows.h>

#include <string>

#include "Session.h"

namespace ombrel::e2e {
namespace {

DWORD CompanionState() {
    const SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    const SC_HANDLE service = ::OpenServiceW(manager, L"SampleQx3Service", SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    ::QueryServiceStatus(service, &status);
    ::CloseServiceHandle(service);
    ::CloseServiceHandle(manager);
    return status.dwCurrentState;
}

// The marker is a frame in the active caption's colour just outside button "1".
bool MarkerAround(HWND button) {
    const RECT rect = driver::WindowRect(button);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF left = ::GetPixel(screen, rect.left - 1, (rect.top + rect.bottom) / 2);
    ::ReleaseDC(nullptr, screen);
    return left == ::GetSysColor(COLOR_ACTIVECAPTION);
}

// What Ombrel wrote to its log so far, as UTF-16.
std::wstring LogText() {
    wchar_t base[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    const std::wstring path = std::wstring(base) + L"\\Ombrel\\Ombrel.log";
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                               static_cast<int>(read), text.data(),
                                                               static_cast<int>(text.size()))));
    return text;
}

// The settings file's reports on the screen, and the text of the first one.
int SettingsReports(std::wstring* text = nullptr) {
    struct Found {
        int count = 0;
        std::wstring* text;
    } found{0, text};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* found = reinterpret_cast<Found*>(context);
            wchar_t className[16] = {};
            ::GetClassNameW(window, className, 16);
            if (std::wstring(className) != L"#32770" || ::IsWindowVisible(window) == FALSE ||
                driver::WindowTitle(window) != L"Ombrel 设置文件") {
                return TRUE;
            }
            if (found->count++ == 0 && found->text != nullptr) {
                found->text->clear();
                for (HWND part = ::FindWindowExW(window, nullptr, L"Static", nullptr);
                     part != nullptr; part = ::FindWindowExW(window, part, L"Static", nullptr)) {
                    *found->text += driver::ControlText(part);
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.count;
}

bool CtrlF4Free() {
    if (::RegisterHotKey(nullptr, 79, MOD_CONTROL, VK_F4) == FALSE) {
        return false;
    }
    ::UnregisterHotKey(nullptr, 79);
    return true;
}

using StartAndExit = Session;

TEST_F(StartAndExit, FirstStartShowsTheBarTheNoticeHoldsTheHotkeysAndStartsTheService) {
    StartOmbrel(/*withNotice=*/true);
    const RECT bar = driver::WindowRect(Bar());
    EXPECT_EQ(bar.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(bar.top, 0);
    EXPECT_NE(::GetWindowLongPtrW(Bar(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(BarCaption(), L"Ombrel200902");
    EXPECT_TRUE(WaitFor([this] { return MarkerAround(driver::FindChildButton(Bar(), L"1")); }));

    HWND notice = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        notice = ::FindWindowW(L"OmbrelForm", L"帮助");
        return notice != nullptr && Visible(notice);
    })) << "the start-up notice was not shown";
    SaveScreenshot(L"help", notice);
    SaveScreenshot(L"bar-desktop1", Bar());

    EXPECT_EQ(HotkeysHeld(), kHotkeyCount);
    EXPECT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F10));
    ::UnregisterHotKey(nullptr, 1);
    EXPECT_TRUE(WaitFor([] { return CompanionState() == SERVICE_RUNNING; }));

    // A second start ends at once and changes nothing.
    const PROCESS_INFORMATION second =
        driver::StartProcess(L"\"" + WinePath(OMBREL_EXE_PATH) + L"\"");
    ASSERT_NE(second.hProcess, nullptr);
    EXPECT_EQ(::WaitForSingleObject(second.hProcess, 10000), WAIT_OBJECT_0);
    ::CloseHandle(second.hThread);
    ::CloseHandle(second.hProcess);
    EXPECT_EQ(driver::FindBar(), Bar());
    EXPECT_EQ(BarCaption(), L"Ombrel200902");
    EXPECT_EQ(::WaitForSingleObject(OmbrelProcess(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    // A screen went away with the bar on it: at the display change it comes back to the corner.
    ::SetWindowPos(Bar(), nullptr, -4000, -4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(driver::WindowRect(Bar()).left, -4000);
    ::SendMessageW(Bar(), WM_DISPLAYCHANGE, 32,
                   MAKELPARAM(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_TRUE(WaitFor([this] {
        const RECT moved = driver::WindowRect(Bar());
        return moved.right == ::GetSystemMetrics(SM_CXSCREEN) && moved.top == 0;
    }));
}

TEST_F(StartAndExit, NeverShowInfoYesSkipsTheNotice) {
    StartOmbrel();
    // The notice would come right after the bar; give it the time it would take.
    EXPECT_FALSE(WaitFor(
        [] {
            const HWND notice = ::FindWindowW(L"OmbrelForm", L"帮助");
            return notice != nullptr && Visible(notice);
        },
        std::chrono::milliseconds(1500)));
}

TEST_F(StartAndExit, ExitShowsEveryHeldWindowAndTheTaskbarFreesTheHotkeysAndStopsTheService) {
    const HWND taskbar = OpenApp(L"taskbar", 1, L"--class Shell_TrayWnd").front();
    StartOmbrel();
    const std::vector<HWND> one = OpenApp(L"One", 2);
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(2));
    const std::vector<HWND> two = OpenApp(L"Two", 2);
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(3));
    const std::vector<HWND> three = OpenApp(L"Three", 1);
    LetARefreshPass();
    ASSERT_TRUE(SwitchTo(4));
    ASSERT_TRUE(PressFor({VK_CONTROL, VK_F11}, [&] { return !Visible(taskbar); }));
    // The caption changes before the hides are carried out, each by its own program.
    ASSERT_TRUE(WaitFor([&] {
        return AllVisible(one, false) && AllVisible(two, false) && AllVisible(three, false);
    }));

    ASSERT_TRUE(ClickFor(
        Bar(), L"退出",
        [this] { return ::WaitForSingleObject(OmbrelProcess(), 0) == WAIT_OBJECT_0; },
        std::chrono::seconds(10)))
        << "still running";
    EXPECT_TRUE(WaitFor([&] {
        return AllVisible(one, true) && AllVisible(two, true) && AllVisible(three, true) &&
               Visible(taskbar);
    }));
    EXPECT_EQ(HotkeysHeld(), 0);
    EXPECT_TRUE(WaitFor([] { return CompanionState() == SERVICE_STOPPED; }));
}

TEST_F(StartAndExit, HotkeysHeldByAnotherProgramLeaveTheOthersAndASecondStartShowsTheBar) {
    ASSERT_TRUE(::RegisterHotKey(nullptr, 77, MOD_CONTROL, VK_F5));
    ASSERT_TRUE(::RegisterHotKey(nullptr, 78, MOD_CONTROL, VK_F12));
    StartOmbrel();
    const std::vector<HWND> apps = OpenApp(L"Held", 1);
    LetARefreshPass();
    MSG message{};
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F5}, [&] {
        return ::PeekMessageW(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != FALSE;
    })) << "the key should have come to its holder";
    EXPECT_EQ(BarCaption(), L"Ombrel200902");
    EXPECT_TRUE(WaitFor([] {
        const std::wstring log = LogText();
        return log.find(L"热键 Ctrl+F5 未能注册（代码 1409）") != std::wstring::npos &&
               log.find(L"热键 Ctrl+F12 未能注册（代码 1409）") != std::wstring::npos;
    })) << "the refused hotkeys are not in the log";

    EXPECT_TRUE(SwitchTo(6));
    EXPECT_TRUE(ClickDesktopButton(5));
    SaveScreenshot(L"bar-desktop5", Bar());

    // Hidden while Ctrl+F12 belongs to another program: starting Ombrel again brings it back.
    EXPECT_TRUE(ClickFor(Bar(), L"隐  藏", [&] { return !Visible(Bar()); }));
    PROCESS_INFORMATION second = driver::StartProcess(L"\"" + WinePath(OMBREL_EXE_PATH) + L"\"");
    EXPECT_TRUE(WaitFor([&] { return Visible(Bar()); }));
    EXPECT_EQ(::WaitForSingleObject(second.hProcess, 5000), WAIT_OBJECT_0);
    ::CloseHandle(second.hThread);
    ::CloseHandle(second.hProcess);
    ::UnregisterHotKey(nullptr, 77);
    ::UnregisterHotKey(nullptr, 78);
}

TEST_F(StartAndExit, ASavedSettingsFileRebindsAndFreesKeysAndABrokenOneChangesNothing) {
    StartOmbrel();
    const auto ctrlF4Free = [] {
        if (::RegisterHotKey(nullptr, 79, MOD_CONTROL, VK_F4) == FALSE) {
            return false;
        }
        ::UnregisterHotKey(nullptr, 79);
        return true;
    };
    ASSERT_FALSE(ctrlF4Free());
    SaveSettingsFile(R"({ "keys": { "ctrl+f4": null, "ctrl+alt+f12": "switch 3" } })");
    EXPECT_TRUE(WaitFor(ctrlF4Free, std::chrono::milliseconds(2500)))
        << "Ctrl+F4 was not given back within two seconds";
    EXPECT_TRUE(
        PressFor({VK_CONTROL, VK_MENU, VK_F12}, [&] { return BarCaption() == DesktopCaption(3); }));

    // An unknown command: reported once, and the keys in force stay.
    SaveSettingsFile("{\n  \"keys\": { \"ctrl+f4\": \"nowhere\" }\n}");
    HWND report = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            report = ::FindWindowW(L"#32770", L"Ombrel 设置文件");
            return report != nullptr;
        },
        std::chrono::seconds(3)))
        << "the error was not shown";
    if (report != nullptr) {
        ::PostMessageW(report, WM_COMMAND, IDOK, 0);
    }
    EXPECT_TRUE(WaitFor([] { return LogText().find(L"第 2 行") != std::wstring::npos; }));
    EXPECT_TRUE(ctrlF4Free());
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F1}, [&] { return BarCaption() == DesktopCaption(1); }));
    EXPECT_TRUE(
        PressFor({VK_CONTROL, VK_MENU, VK_F12}, [&] { return BarCaption() == DesktopCaption(3); }));
    ::DeleteFileW(SettingsFilePath().c_str());
}

TEST_F(StartAndExit, ABrokenFileAtStartIsReportedWhileTheKeysWorkAndANewReportReplacesIt) {
    SaveSettingsFile("{ \"keys\": [] }");
    StartOmbrel();  // the bar and every key, without anybody closing the report first
    std::wstring text;
    EXPECT_TRUE(WaitFor([&] { return SettingsReports(&text) == 1; })) << "the error was not shown";
    EXPECT_NE(text.find(L"第 1 行"), std::wstring::npos);
    EXPECT_TRUE(PressFor({VK_CONTROL, VK_F2}, [&] { return BarCaption() == DesktopCaption(2); }));

    SaveSettingsFile("{\n\n  \"wrap\": 1 }");
    EXPECT_TRUE(WaitFor(
        [&] { return SettingsReports(&text) == 1 && text.find(L"第 3 行") != std::wstring::npos; },
        std::chrono::seconds(4)))
        << "the second error did not take the first one's place";
    ::Sleep(500);
    EXPECT_EQ(SettingsReports(), 1);
    ::DeleteFileW(SettingsFilePath().c_str());
}

TEST_F(StartAndExit, AFileHeldByAnotherProgramKeepsTheSettingsAndIsReadOnceFree) {
    StartOmbrel();
    SaveSettingsFile(R"({ "keys": { "ctrl+f4": null } })");
    ASSERT_TRUE(WaitFor(CtrlF4Free, std::chrono::milliseconds(2500)));

    // Held without sharing, and the folder changes: the keys in force stay.
    const HANDLE held = ::CreateFileW(SettingsFilePath().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::wstring other = SettingsFilePath() + L".bak";
    ::CloseHandle(::CreateFileW(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LetARefreshPass();
    LetARefreshPass();
    LetARefreshPass();
    EXPECT_TRUE(CtrlF4Free()) << "a held file was taken for a deleted one";

    // Saved by the program that holds it, then let go: read without another save.
    const std::string text = R"({ "keys": { "ctrl+f4": null, "ctrl+alt+f12": "switch 3" } })";
    DWORD written = 0;
    ::WriteFile(held, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::SetEndOfFile(held);
    ::CloseHandle(held);
    EXPECT_TRUE(WaitFor(
        [] {
            if (::RegisterHotKey(nullptr, 80, MOD_CONTROL | MOD_ALT, VK_F12) == FALSE) {
                return true;
            }
            ::UnregisterHotKey(nullptr, 80);
            return false;
        },
        std::chrono::seconds(4)))
        << "the file was not read once it was free";
    EXPECT_TRUE(
        PressFor({VK_CONTROL, VK_MENU, VK_F12}, [&] { return BarCaption() == DesktopCaption(3); }));
    EXPECT_TRUE(CtrlF4Free());
    EXPECT_EQ(SettingsReports(), 0);
    ::DeleteFileW(other.c_str());
    ::DeleteFileW(SettingsFilePath().c_str());
}

}  // namespace
}  // namespace ombrel::e2e
