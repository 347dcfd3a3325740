#include <windows.h>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "engine/HotkeyTable.h"

namespace ombrel::win32 {
namespace {

using testing::WaitFor;

// The prefix's LogPixels, as the test command set it up.
int ExpectedDpi() {
    wchar_t value[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"OMBREL_EXPECTED_DPI", value, 16);
    return length > 0 ? _wtoi(value) : 96;
}

HWND FindBar() {
    return ::FindWindowW(L"OmbrelForm", L"Ombrel200902");
}

int CountBars() {
    int count = 0;
    ::EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            wchar_t title[64] = {};
            wchar_t className[64] = {};
            ::GetWindowTextW(window, title, 64);
            ::GetClassNameW(window, className, 64);
            if (std::wstring(className) == L"OmbrelForm" &&
                std::wstring(title) == L"Ombrel200902") {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

PROCESS_INFORMATION Launch() {
    return driver::StartProcess(L"\"" + testing::WinePath(OMBREL_EXE_PATH) + L"\"");
}

class RealProgram : public ::testing::Test {
  protected:
    void TearDown() override {
        for (PROCESS_INFORMATION& process : processes_) {
            if (::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                ::TerminateProcess(process.hProcess, 1);
            }
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
    }
    HANDLE Start() {
        processes_.push_back(Launch());
        return processes_.back().hProcess;
    }

    std::vector<PROCESS_INFORMATION> processes_;
};

TEST_F(RealProgram, StartsAsOneTopmostBarInTheTopRightCornerAndExitsCleanly) {
    HANDLE first = Start();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitFor([] { return FindBar() != nullptr && ::IsWindowVisible(FindBar()); }))
        << "the bar did not appear";
    const HWND bar = FindBar();

    RECT window{};
    ::GetWindowRect(bar, &window);
    EXPECT_EQ(window.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window.top, 0);
    EXPECT_NE(::GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // The layout's twips at the prefix's DPI.
    RECT client{};
    ::GetClientRect(bar, &client);
    const int dpi = ExpectedDpi();
    EXPECT_EQ(client.right, (4470 * dpi + 720) / 1440);
    EXPECT_EQ(client.bottom, (1020 * dpi + 720) / 1440);

    // A second start ends at once and leaves the first alone.
    HANDLE second = Start();
    EXPECT_EQ(::WaitForSingleObject(second, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(CountBars(), 1);
    EXPECT_EQ(::WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    // Its hotkeys are held while it runs.
    EXPECT_FALSE(::RegisterHotKey(nullptr, 1, MOD_CONTROL, VK_F1));

    // The finder, opened by the command line, is laid out at the screen's DPI.
    std::string output;
    EXPECT_EQ(driver::RunToEnd(L"\"" + testing::WinePath(OMBREL_EXE_PATH) + L"\" find", &output), 0)
        << output;
    HWND finder = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        finder = ::FindWindowW(L"Ombrel.Finder", nullptr);
        return finder != nullptr && ::IsWindowVisible(finder);
    })) << "the finder did not open";
    RECT finderClient{};
    ::GetClientRect(finder, &finderClient);
    EXPECT_EQ(finderClient.right, ::MulDiv(620, dpi, 96));
    const HWND list = ::FindWindowExW(finder, nullptr, L"ListBox", nullptr);
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), ::MulDiv(24, dpi, 96));

    const HWND exitButton = ::FindWindowExW(bar, nullptr, L"Button", L"退出");
    ASSERT_NE(exitButton, nullptr);
    ::PostMessageW(exitButton, BM_CLICK, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(first, 10000), WAIT_OBJECT_0) << "exit did not end it";
    DWORD code = 1;
    ::GetExitCodeProcess(first, &code);
    EXPECT_EQ(code, 0U);

    for (const HotkeyRow& row : kHotkeyTable) {
        EXPECT_TRUE(::RegisterHotKey(nullptr, 100 + row.id, row.modifiers, row.virtualKey))
            << "hotkey " << row.id << " still held";
        ::UnregisterHotKey(nullptr, 100 + row.id);
    }
}

}  // namespace
}  // namespace ombrel::win32
