#include "Session.h"

#include "ScreenCapture.h"

#include <chrono>
#include <cstdio>

namespace ombrel::e2e {
namespace {

struct HotkeyCombination {
    UINT modifiers;
    UINT key;
};

HotkeyCombination Combination(int id) {
    return id < 12 ? HotkeyCombination{MOD_CONTROL, static_cast<UINT>(VK_F1 + id)}
                   : HotkeyCombination{MOD_CONTROL | MOD_ALT, static_cast<UINT>(VK_F1 + id - 12)};
}

}  // namespace

bool TryUntil(const std::function<void()>& act, const std::function<bool()>& effect,
              std::chrono::milliseconds patience) {
    constexpr int kTries = 3;
    for (int tries = 0; tries < kTries; ++tries) {
        act();
        if (WaitFor(effect, patience)) {
            return true;
        }
        std::printf("[ again    ] no effect within %lld ms\n",
                    static_cast<long long>(patience.count()));
    }
    return false;
}

std::wstring DesktopCaption(int desktopNumber) {
    return L"这是桌面-" + std::to_wstring(desktopNumber);
}

void ResetRegistry() {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSettingsKey);
    // What the last scenario's Ombrel left when it was ended from outside: each scenario is the
    // first start of a log-on, whose arrangement nothing brings back.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kelvora\\Recovery");
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY run = nullptr;
        if (::RegOpenKeyExW(root, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            ::RegDeleteValueW(run, L"Kelvora");
            ::RegCloseKey(run);
        }
    }
}

std::wstring ReadString(HKEY root, const wchar_t* key, const wchar_t* name, bool* found) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    const bool exists =
        ::RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS;
    if (found != nullptr) {
        *found = exists;
    }
    return exists ? value : L"";
}

std::wstring SettingsFilePath() {
    wchar_t appData[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    return std::wstring(appData) + L"\\Ombrel\\settings.json";
}

void SaveSettingsFile(const std::string& text) {
    const std::wstring path = SettingsFilePath();
    ::CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

void Session::SetUp() {
    ResetRegistry();
    ::DeleteFileW(SettingsFilePath().c_str());
    // Nor where the windows of an earlier scenario were.
    wchar_t localAppData[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", localAppData, MAX_PATH);
    ::DeleteFileW((std::wstring(localAppData) + L"\\Ombrel\\arrangement.json").c_str());
    ASSERT_EQ(driver::FindBar(), nullptr) << "an Ombrel from an earlier scenario still runs";
}

void Session::KillOmbrel() {
    driver::EndProcess(ombrel_);
    bar_ = nullptr;
}

void Session::TearDown() {
    KillOmbrel();
    EndAllApps();
    WaitFor([] { return driver::FindBar() == nullptr; });
}

void Session::StartOmbrel(bool withNotice, HANDLE job) {
    if (!withNotice) {
        SetNeverShowInfo(L"Yes");
    }
    const std::wstring command = L"\"" + WinePath(OMBREL_EXE_PATH) + L"\"";
    ombrel_ =
        job != nullptr ? driver::StartProcessInJob(command, job) : driver::StartProcess(command);
    ASSERT_NE(ombrel_.hProcess, nullptr) << "Ombrel.exe did not start";
    ASSERT_TRUE(WaitFor([this] {
        bar_ = driver::FindBar();
        return bar_ != nullptr && ::IsWindowVisible(bar_);
    })) << "the bar did not appear";
    // The hotkeys are the last thing the start-up sets up.
    ASSERT_TRUE(WaitFor([] { return HotkeysHeld() == kHotkeyCount; }, std::chrono::seconds(5)))
        << "the hotkeys were not registered";
}

void Session::StartApp(const std::wstring& title, int count, const std::wstring& options) {
    others_.push_back(driver::StartProcess(L"\"" + WinePath(OMBREL_TEST_APP_PATH) + L"\" \"" +
                                           title + L"\" " + std::to_wstring(count) + L" " +
                                           options));
}

std::vector<HWND> Session::OpenApp(const std::wstring& title, int count,
                                   const std::wstring& options) {
    StartApp(title, count, options);
    std::vector<HWND> windows;
    for (int i = 1; i <= count; ++i) {
        const std::wstring name = count == 1 ? title : title + L" " + std::to_wstring(i);
        HWND window = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            window = ::FindWindowW(nullptr, name.c_str());
            return window != nullptr && ::IsWindowVisible(window);
        })) << "window did not open";
        windows.push_back(window);
    }
    // The program brings its last window forward itself; let it, so that it does not take the
    // focus from under a later step.
    WaitFor([&] { return ::GetForegroundWindow() == windows.back(); }, std::chrono::seconds(2));
    return windows;
}

void Session::EndAppOf(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    for (PROCESS_INFORMATION& process : others_) {
        if (process.dwProcessId == processId) {
            ::TerminateProcess(process.hProcess, 0);
            ::WaitForSingleObject(process.hProcess, 5000);
        }
    }
}

void Session::EndAllApps() {
    for (PROCESS_INFORMATION& process : others_) {
        driver::EndProcess(process);
    }
    others_.clear();
}

void Session::ClickButton(HWND parent, const wchar_t* caption) {
    const HWND button = driver::FindChildButton(parent, caption);
    ASSERT_NE(button, nullptr) << "no such button";
    driver::ClickAt(driver::CenterOf(button));
}

bool Session::PressFor(std::initializer_list<WORD> keys, const std::function<bool()>& effect) {
    return TryUntil([keys] { driver::PressKeys(keys); }, effect);
}

bool Session::ClickFor(HWND parent, const wchar_t* caption, const std::function<bool()>& effect,
                       std::chrono::milliseconds patience) {
    const HWND button = driver::FindChildButton(parent, caption);
    EXPECT_NE(button, nullptr) << "no such button";
    return button != nullptr &&
           TryUntil([button] { driver::ClickAt(driver::CenterOf(button)); }, effect, patience);
}

bool Session::SwitchTo(int desktopNumber) {
    const std::wstring expected = DesktopCaption(desktopNumber);
    return PressFor({VK_CONTROL, static_cast<WORD>(VK_F1 + desktopNumber - 1)},
                    [&] { return BarCaption() == expected; });
}

bool Session::ClickDesktopButton(int desktopNumber) {
    const std::wstring caption = std::to_wstring(desktopNumber);
    const std::wstring expected = DesktopCaption(desktopNumber);
    return ClickFor(bar_, caption.c_str(), [&] { return BarCaption() == expected; });
}

int Session::HotkeysHeld() {
    int held = 0;
    for (int id = 0; id < kHotkeyCount; ++id) {
        const HotkeyCombination combination = Combination(id);
        if (::RegisterHotKey(nullptr, 0xB000 + id, combination.modifiers, combination.key)) {
            ::UnregisterHotKey(nullptr, 0xB000 + id);
        } else {
            ++held;
        }
    }
    return held;
}

void Session::SaveScreenshot(const wchar_t* name, RECT area) {
    ::RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(300);  // lets the windows of other programs finish painting
    const std::wstring directory = WinePath(OMBREL_SCREENSHOT_DIR);
    ::CreateDirectoryW(directory.c_str(), nullptr);
    driver::SaveScreenBmp(directory + L"\\" + name + L".bmp", area);
}

}  // namespace ombrel::e2e
