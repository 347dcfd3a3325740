#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "DesktopDriver.h"

namespace ombrel::e2e {

using driver::WaitFor;

inline constexpr int kHotkeyCount = 21;

// One scenario's world: Ombrel.exe and the other programs it started, all ended afterwards
// whatever happened, and the registry put back to a first start's state beforehand.
class Session : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts Ombrel (in the job, if one is given) and waits for its bar; by default with the
    // start-up notice turned off.
    void StartOmbrel(bool withNotice = false, HANDLE job = nullptr);
    HANDLE OmbrelProcess() const { return ombrel_.hProcess; }
    // Ends Ombrel from outside, without its shut-down, as the task manager would.
    void KillOmbrel();
    HWND Bar() const { return bar_; }
    // Opens count windows of another program; returns them, the last one in front.
    std::vector<HWND> OpenApp(const std::wstring& title, int count = 1,
                              const std::wstring& options = L"");
    // Starts the program that opens them, and does not wait.
    void StartApp(const std::wstring& title, int count = 1, const std::wstring& options = L"");
    HWND OpenOne(const std::wstring& title) { return OpenApp(title).front(); }
    // Ends the program that owns this window, and with it all its windows.
    void EndAppOf(HWND window);
    // Ends every program started so far.
    void EndAllApps();

    void Press(std::initializer_list<WORD> keys) { driver::PressKeys(keys); }
    // Presses, or clicks, and waits for the effect. Under Wine a key press or click sent with
    // SendInput is now and then lost on the way (about one in a hundred in the soak, most often
    // just after the focus moved); like a user, the test tries again, but only after two
    // seconds without the effect, so that a slow answer is never taken for a lost one nor a
    // toggle done twice.
    bool PressFor(std::initializer_list<WORD> keys, const std::function<bool()>& effect);
    bool ClickFor(HWND parent, const wchar_t* caption, const std::function<bool()>& effect,
                  std::chrono::milliseconds patience = std::chrono::seconds(2));
    // Ctrl+F1..F9, until the caption says desktop n.
    bool SwitchTo(int desktopNumber);
    // The user goes on working for a moment: the refresh timer (once a second) takes what is
    // on the screen into the current desktop. Not a wait for a result: it is part of the use.
    static void LetARefreshPass() { ::Sleep(1100); }
    void ClickButton(HWND parent, const wchar_t* caption);
    // Clicks button n of the bar, until the caption says desktop n.
    bool ClickDesktopButton(int desktopNumber);
    std::wstring BarCaption() const { return driver::WindowTitle(bar_); }
    static bool Visible(HWND window) { return ::IsWindowVisible(window) != FALSE; }
    static bool AllVisible(const std::vector<HWND>& windows, bool visible) {
        return driver::AllVisible(windows, visible);
    }
    // Every hotkey of Ombrel's is held by somebody: a second registration fails.
    static int HotkeysHeld();
    void SaveScreenshot(const wchar_t* name, HWND window) {
        SaveScreenshot(name, driver::WindowRect(window));
    }
    void SaveScreenshot(const wchar_t* name, RECT area);

  private:
    PROCESS_INFORMATION ombrel_{};
    HWND bar_ = nullptr;
    std::vector<PROCESS_INFORMATION> others_;
};

inline constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
using driver::kSettingsKey;
using driver::SetNeverShowInfo;

// %APPDATA%\Ombrel\settings.json, which a scenario may write and every scenario starts without.
std::wstring SettingsFilePath();
// Writes it whole, as an editor saves it.
void SaveSettingsFile(const std::string& text);

// The bar's caption on desktop n: "这是桌面-n".
std::wstring DesktopCaption(int desktopNumber);
// Acts, and again (three times at most) while the effect does not follow within the patience.
bool TryUntil(const std::function<void()>& act, const std::function<bool()>& effect,
              std::chrono::milliseconds patience = std::chrono::seconds(2));
void ResetRegistry();
std::wstring ReadString(HKEY root, const wchar_t* key, const wchar_t* name, bool* found = nullptr);
using driver::WinePath;

}  // namespace ombrel::e2e
