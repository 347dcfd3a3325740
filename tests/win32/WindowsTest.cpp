#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "DesktopDriver.h"
#include "ui/TrayIconPicture.h"
#include "win32/Handles.h"
#include "win32/Win32Hotkeys.h"
#include "win32/Win32NotifyIcon.h"
#include "win32/Win32WindowProcedures.h"
#include "win32/Win32WindowSystem.h"
#include "win32/WindowIcon.h"

namespace ombrel::win32 {
namespace {

using namespace std::chrono_literals;
using driver::WaitFor;

// Windows of another thread, which pumps its messages until told to hang or to end.
class OtherThread {
  public:
    explicit OtherThread(int windowCount) {
        thread_ = std::thread([this, windowCount] { Run(windowCount); });
        while (!ready_) {
            std::this_thread::sleep_for(1ms);
        }
    }
    ~OtherThread() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    OtherThread(const OtherThread&) = delete;
    OtherThread& operator=(const OtherThread&) = delete;

    const std::vector<HWND>& Windows() const { return windows_; }
    // The thread stops answering for a while, like a hung program.
    void Hang(std::chrono::milliseconds how_long) {
        ::PostThreadMessageW(threadId_, WM_APP, static_cast<WPARAM>(how_long.count()), 0);
    }

  private:
    void Run(int windowCount) {
        threadId_ = ::GetCurrentThreadId();
        for (int i = 0; i < windowCount; ++i) {
            windows_.push_back(::CreateWindowExW(0, L"STATIC", L"other",
                                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10 + 20 * i, 10,
                                                 200, 100, nullptr, nullptr, nullptr, nullptr));
        }
        MSG message{};
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        ready_ = true;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == nullptr && message.message == WM_APP) {
                ::Sleep(static_cast<DWORD>(message.wParam));
                continue;
            }
            ::DispatchMessageW(&message);
        }
        for (HWND window : windows_) {
            ::DestroyWindow(window);
        }
    }

    std::thread thread_;
    std::atomic<bool> ready_{false};
    DWORD threadId_ = 0;
    std::vector<HWND> windows_;
};

TEST(RealWindows, AnotherThreadsWindowIsHiddenAndShownWithoutWaiting) {
    OtherThread other(2);
    Win32WindowSystem windows;
    const WindowHandle first = FromHwnd(other.Windows()[0]);
    EXPECT_FALSE(windows.IsOwnThreadWindow(first));
    EXPECT_TRUE(windows.IsWindowVisible(first));
    EXPECT_FALSE(windows.IsWindowCloaked(first));
    EXPECT_EQ(windows.ClassName(first), u"Static");

    windows.ShowWindowAsync(first, ShowCommand::Hide);
    EXPECT_TRUE(WaitFor([&] { return !windows.IsWindowVisible(first); }));
    windows.ShowWindowAsync(first, ShowCommand::Show);
    EXPECT_TRUE(WaitFor([&] { return windows.IsWindowVisible(first); }));
}

TEST(RealWindows, AHungThreadDoesNotHoldUpTheAsyncPath) {
    OtherThread other(1);
    Win32WindowSystem windows;
    const WindowHandle window = FromHwnd(other.Windows()[0]);
    other.Hang(1500ms);
    std::this_thread::sleep_for(100ms);

    const auto start = std::chrono::steady_clock::now();
    windows.ShowWindowAsync(window, ShowCommand::Hide);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, 500ms);
    // The probe sent after it is answered only once the thread takes its messages again, and
    // by then the request has been carried out.
    EXPECT_TRUE(windows.Probe(window));
    const auto answered = [&] {
        MSG message{};
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // answers come to our queue
        return windows.ProbeAnswered(window);
    };
    EXPECT_FALSE(answered());
    EXPECT_TRUE(WaitFor(answered, 5s));
    EXPECT_FALSE(windows.IsWindowVisible(window));
    EXPECT_FALSE(windows.IsHung(window));
}

TEST(RealWindows, TheFocusHolderTakesNoCloseAndIsMadeAgainWhenGone) {
    Win32WindowSystem windows;
    ASSERT_TRUE(windows.HoldFocus());
    const HWND holder = ::GetForegroundWindow();
    ASSERT_TRUE(windows.IsFocusHolder(FromHwnd(holder)));
    ::SendMessageW(holder, WM_CLOSE, 0, 0);  // Alt+F4 while it has the keys
    EXPECT_TRUE(::IsWindow(holder));
    ::DestroyWindow(holder);
    EXPECT_TRUE(windows.HoldFocus());
    EXPECT_TRUE(windows.IsFocusHolder(FromHwnd(::GetForegroundWindow())));
}

TEST(RealWindows, EnumerationReportsEveryTopLevelWindowAndStopsWhenAsked) {
    OtherThread other(3);
    Win32WindowSystem windows;
    std::vector<WindowHandle> seen;
    windows.EnumWindows([&seen](WindowHandle window) {
        seen.push_back(window);
        return true;
    });
    for (HWND window : other.Windows()) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), FromHwnd(window)), seen.end());
    }
    int visits = 0;
    windows.EnumWindows([&visits](WindowHandle) { return ++visits < 2; });
    EXPECT_EQ(visits, 2);
}

TEST(RealWindows, OwnThreadWindowsAreRecognisedAndAStaleHandleIsNobodys) {
    Win32WindowSystem windows;
    HWND own = ::CreateWindowExW(0, L"STATIC", L"own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_TRUE(windows.IsOwnThreadWindow(FromHwnd(own)));
    windows.ShowWindow(FromHwnd(own), ShowCommand::Show);
    EXPECT_TRUE(windows.IsWindowVisible(FromHwnd(own)));
    ::DestroyWindow(own);
    EXPECT_FALSE(windows.IsOwnThreadWindow(FromHwnd(own)));
    EXPECT_FALSE(windows.ShowWindowAsync(FromHwnd(own), ShowCommand::Show));
}

TEST(RealWindows, AMenuIconIsTheClassIconAsAPremultipliedDibOfTheSizeAsked) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = L"OmbrelIconTest";
    ::RegisterClassExW(&windowClass);
    HWND window = ::CreateWindowExW(0, L"OmbrelIconTest", L"icon", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
    ProgramIcons programs;
    const UniqueBitmap icon = WindowIconBitmap(window, 20, programs);
    ::DestroyWindow(window);
    ASSERT_TRUE(icon);
    DIBSECTION dib{};
    ASSERT_EQ(::GetObjectW(icon.Get(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, 20);
    EXPECT_EQ(dib.dsBm.bmHeight, 20);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
    // Premultiplied: no colour stronger than its pixel's opacity, and something opaque.
    const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    int opaque = 0;
    for (int at = 0; at < 20 * 20; ++at) {
        const std::uint32_t alpha = pixels[at] >> 24;
        EXPECT_LE((pixels[at] >> 16) & 0xFF, alpha);
        EXPECT_LE((pixels[at] >> 8) & 0xFF, alpha);
        EXPECT_LE(pixels[at] & 0xFF, alpha);
        opaque += alpha != 0 ? 1 : 0;
    }
    EXPECT_GT(opaque, 0);
}

// Whether the handle still names an icon, and the side of its colour bitmap if it does.
int IconSide(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return 0;
    }
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    return bitmap.bmWidth;
}

// GetGuiResources answers 0 under Wine: the icons are counted by their handles instead.
TEST(RealNotifyIcon, AThousandPicturesLeaveOneIconAliveAtTheTaskbarsSizeAndRemoveLeavesNone) {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   nullptr, nullptr);
    Win32NotifyIcon icon;
    const int size = icon.PictureSize();
    ASSERT_GE(size, 16);
    const auto picture = [size](int number) {
        return IconPicture{size, DesktopNumberPicture(size, number, TrayTheme::Light)};
    };
    if (!icon.Add(FromHwnd(owner), WM_APP, picture(1), u"Ombrel")) {
        ::DestroyWindow(owner);
        GTEST_SKIP() << "no notification area in this session";
    }
    std::vector<HICON> made{icon.CurrentIcon()};
    for (int update = 0; update < 1000; ++update) {
        ASSERT_TRUE(icon.Update(picture(update % 9 + 1)));
        made.push_back(icon.CurrentIcon());
    }
    EXPECT_EQ(
        std::count_if(made.begin(), made.end(), [](HICON made) { return IconSide(made) != 0; }), 1);
    EXPECT_EQ(IconSide(made.back()), size);  // drawn for the size, not scaled to it
    icon.Remove();
    EXPECT_EQ(IconSide(made.back()), 0);
    ::DestroyWindow(owner);
}

TEST(RealHotkeys, ACombinationHeldElsewhereGives1409) {
    HWND holder = ::CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   nullptr, nullptr);
    Win32Hotkeys hotkeys;
    ASSERT_EQ(hotkeys.RegisterHotKey(FromHwnd(holder), 5, MOD_CONTROL | MOD_ALT, VK_F11),
              kSucceeded);
    EXPECT_EQ(hotkeys.RegisterHotKey(FromHwnd(other), 5, MOD_CONTROL | MOD_ALT, VK_F11),
              SystemError(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_EQ(hotkeys.UnregisterHotKey(FromHwnd(holder), 5), kSucceeded);
    EXPECT_EQ(hotkeys.RegisterHotKey(FromHwnd(other), 5, MOD_CONTROL | MOD_ALT, VK_F11),
              kSucceeded);
    static_cast<void>(hotkeys.UnregisterHotKey(FromHwnd(other), 5));
    ::DestroyWindow(holder);
    ::DestroyWindow(other);
}

// Counts the messages it sees and hands them to the system's default.
class CountingHandler final : public MessageHandler {
  public:
    explicit CountingHandler(WindowProcedures& procedures) : procedures_(procedures) {}
    std::intptr_t HandleMessage(const WindowMessage& message) noexcept override {
        if (message.message == WM_APP + 7) {
            ++seen;
            return 7;
        }
        return procedures_.DefaultProcedure(message);
    }
    int seen = 0;

  private:
    WindowProcedures& procedures_;
};

TEST(RealWindowProcedures, TheProgramWindowIsHiddenTopLevelAndHearsWhatIsPostedToEveryWindow) {
    Win32WindowProcedures procedures;
    CountingHandler handler(procedures);
    const HWND window = ToHwnd(procedures.CreateProgramWindow(handler));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(::GetAncestor(window, GA_PARENT), ::GetDesktopWindow());  // not message-only
    EXPECT_EQ(::SendMessageW(window, WM_APP + 7, 0, 0), 7);
    wchar_t text[16] = {};
    ::SendMessageW(window, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Ombrel");  // the system's default answered
    // What a second start or the shell posts to every window reaches it.
    const UINT broadcast = ::RegisterWindowMessageW(L"Ombrel.Test.Broadcast");
    struct Broadcasts final : MessageHandler {
        explicit Broadcasts(WindowProcedures& p, UINT m) : procedures(p), message(m) {}
        std::intptr_t HandleMessage(const WindowMessage& heard) noexcept override {
            seen += heard.message == message ? 1 : 0;
            return procedures.DefaultProcedure(heard);
        }
        WindowProcedures& procedures;
        UINT message;
        int seen = 0;
    } broadcasts(procedures, broadcast);
    const HWND hearing = ToHwnd(procedures.CreateProgramWindow(broadcasts));
    ::PostMessageW(HWND_BROADCAST, broadcast, 0, 0);
    MSG message{};
    const ULONGLONG until = ::GetTickCount64() + 2000;
    while (broadcasts.seen == 0 && ::GetTickCount64() < until) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            ::DispatchMessageW(&message);
        }
        ::Sleep(10);
    }
    EXPECT_EQ(broadcasts.seen, 1);
    EXPECT_EQ(handler.seen, 1);
    procedures.DestroyProgramWindow(FromHwnd(hearing));
    procedures.DestroyProgramWindow(FromHwnd(window));
    EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
}  // namespace ombrel::win32
