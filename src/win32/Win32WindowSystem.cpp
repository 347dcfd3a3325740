#include "win32/Win32WindowSystem.h"

#include <windows.h>

#include <dwmapi.h>

#include <algorithm>

#include "platform/WindowProcedures.h"
#include "win32/Handles.h"
#include "win32/ProcessImage.h"
#include "win32/UniqueHandle.h"
#include "win32/WideText.h"
#include "win32/WindowAppId.h"

namespace ombrel::win32 {

WindowHandle Win32WindowSystem::FindWindowByClass(std::u16string_view className) noexcept {
    const std::wstring name = ToWide(className);
    return FromHwnd(::FindWindowW(name.c_str(), nullptr));
}

bool Win32WindowSystem::ShowWindow(WindowHandle window, ShowCommand command) noexcept {
    return ::ShowWindow(ToHwnd(window), static_cast<int>(command)) != FALSE;
}

bool Win32WindowSystem::ShowWindowAsync(WindowHandle window, ShowCommand command) noexcept {
    return ::ShowWindowAsync(ToHwnd(window), static_cast<int>(command)) != FALSE;
}

bool Win32WindowSystem::Probe(WindowHandle window) noexcept {
    // WM_NULL does nothing; a sent message is answered when the thread next takes its messages,
    // after what we posted before it, and the answer comes back to our own message loop.
    const HWND hwnd = ToHwnd(window);
    if (::SendMessageCallbackW(hwnd, WM_NULL, 0, 0, &ProbeReturned,
                               reinterpret_cast<ULONG_PTR>(this)) == FALSE) {
        return false;
    }
    try {
        ++probesOut_[hwnd];
    } catch (...) {
        return false;
    }
    return true;
}

void CALLBACK Win32WindowSystem::ProbeReturned(HWND window, UINT /*message*/, ULONG_PTR self,
                                               LRESULT /*result*/) noexcept {
    auto& probesOut = reinterpret_cast<Win32WindowSystem*>(self)->probesOut_;
    if (const auto found = probesOut.find(window);
        found != probesOut.end() && --found->second <= 0) {
        probesOut.erase(found);
    }
}

bool Win32WindowSystem::ProbeAnswered(WindowHandle window) noexcept {
    const HWND hwnd = ToHwnd(window);
    if (!probesOut_.contains(hwnd)) {
        return true;
    }
    if (::IsWindow(hwnd) == FALSE) {
        probesOut_.erase(hwnd);  // a window destroyed before it answered never will
        return true;
    }
    return false;
}

bool Win32WindowSystem::IsHung(WindowHandle window) noexcept {
    return ::IsHungAppWindow(ToHwnd(window)) != FALSE;
}

WindowHandle Win32WindowSystem::FindChildByClass(WindowHandle parent,
                                                 std::u16string_view className) noexcept {
    if (parent == WindowHandle::None) {
        return WindowHandle::None;  // no parent would search the top-level windows instead
    }
    const std::wstring name = ToWide(className);
    return FromHwnd(::FindWindowExW(ToHwnd(parent), nullptr, name.c_str(), nullptr));
}

std::uint32_t Win32WindowSystem::LastError() noexcept {
    return ::GetLastError();
}

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) noexcept {
    return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::IsMinimized(WindowHandle window) noexcept {
    return ::IsIconic(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::IsWindowCloaked(WindowHandle window) noexcept {
    // Where the compositor does not answer (older systems, Wine) nothing is cloaked.
    if (getWindowAttribute_ == nullptr) {
        getWindowAttribute_ =
            compositor_.Function<decltype(::DwmGetWindowAttribute)>("DwmGetWindowAttribute");
        if (getWindowAttribute_ == nullptr) {
            return false;
        }
    }
    DWORD cloaked = 0;
    const HRESULT result =
        getWindowAttribute_(ToHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof(cloaked));
    return SUCCEEDED(result) && cloaked != 0;
}

bool Win32WindowSystem::IsOwnThreadWindow(WindowHandle window) noexcept {
    // A window that no longer exists belongs to thread 0, never ours.
    return ::GetWindowThreadProcessId(ToHwnd(window), nullptr) == ::GetCurrentThreadId();
}

std::uint32_t Win32WindowSystem::ProcessIdOf(WindowHandle window) noexcept {
    DWORD process = 0;
    return ::GetWindowThreadProcessId(ToHwnd(window), &process) != 0 ? process : 0;
}

std::u16string Win32WindowSystem::ClassName(WindowHandle window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(ToHwnd(window), name, static_cast<int>(std::size(name)));
    return FromWide(std::wstring_view(name, length > 0 ? static_cast<std::size_t>(length) : 0));
}

bool Win32WindowSystem::EnumWindows(const std::function<bool(WindowHandle)>& visit) {
    struct Context {
        const std::function<bool(WindowHandle)>* visit;
    } context{&visit};
    const WNDENUMPROC callback = [](HWND window, LPARAM parameter) -> BOOL {
        const auto* context = reinterpret_cast<const Context*>(parameter);
        try {
            return (*context->visit)(FromHwnd(window)) ? TRUE : FALSE;
        } catch (...) {
            return FALSE;  // nothing may cross the system's callback
        }
    };
    return ::EnumWindows(callback, reinterpret_cast<LPARAM>(&context)) != FALSE;
}

std::u16string Win32WindowSystem::WindowTitle(WindowHandle window) {
    // Another program's window answers from the system's copy of its text, without a message.
    const HWND hwnd = ToHwnd(window);
    std::wstring title(static_cast<std::size_t>(std::max(::GetWindowTextLengthW(hwnd), 0)) + 1,
                       L'\0');
    title.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, title.data(), static_cast<int>(title.size()))));
    return FromWide(title);
}

namespace {

// The file name of the process's program ("notepad.exe"); empty when it cannot be known.
std::wstring ImageNameOf(DWORD processId) {
    return std::wstring(FileNameOf(ImagePathOf(processId)));
}

// The process of the first child window that belongs to another process than the frame's: a
// store app's own window (Windows.UI.Core.CoreWindow) inside the frame that
// ApplicationFrameHost.exe draws for it. 0 when there is none, as while the app is minimized.
// Reading a window's process asks the system, never the program, so nothing here waits.
DWORD ContentProcessOf(HWND frame, DWORD frameProcess) {
    struct Search {
        DWORD frameProcess;
        DWORD found;
    } search{frameProcess, 0};
    ::EnumChildWindows(
        frame,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            DWORD process = 0;
            if (::GetWindowThreadProcessId(child, &process) != 0 && process != 0 &&
                process != search->frameProcess) {
                search->found = process;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::u16string Win32WindowSystem::ProcessNameOf(WindowHandle window) {
    const DWORD processId = ProcessIdOf(window);
    std::wstring name = ImageNameOf(processId);
    // A store app is known by its own program, not by the host of every store app's frame.
    if (::CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()),
                               L"ApplicationFrameHost.exe", -1, TRUE) == CSTR_EQUAL) {
        if (const DWORD app = ContentProcessOf(ToHwnd(window), processId); app != 0) {
            if (std::wstring appName = ImageNameOf(app); !appName.empty()) {
                name = std::move(appName);
            }
        }
    }
    return FromWide(name);
}

std::u16string Win32WindowSystem::ProgramPathOf(WindowHandle window) {
    return FromWide(ImagePathOf(ProcessIdOf(window)));
}

std::u16string Win32WindowSystem::AppIdOf(WindowHandle window) {
    return FromWide(appIds_.Of(ToHwnd(window)));
}

bool Win32WindowSystem::PostToWindow(WindowHandle window, std::uint32_t message,
                                     std::intptr_t lParam) noexcept {
    return ::PostMessageW(ToHwnd(window), message, 0, lParam) != FALSE;
}

WindowStyles Win32WindowSystem::StylesOf(WindowHandle window) noexcept {
    const HWND hwnd = ToHwnd(window);
    return {static_cast<std::uint32_t>(::GetWindowLongPtrW(hwnd, GWL_STYLE)),
            static_cast<std::uint32_t>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE))};
}

WindowHandle Win32WindowSystem::RootOwner(WindowHandle window) noexcept {
    return FromHwnd(::GetAncestor(ToHwnd(window), GA_ROOTOWNER));
}

WindowHandle Win32WindowSystem::GetForegroundWindow() noexcept {
    return FromHwnd(::GetForegroundWindow());
}

std::uint32_t Win32WindowSystem::RegisterMessage(std::u16string_view name) noexcept {
    try {
        return ::RegisterWindowMessageW(ToWide(name).c_str());
    } catch (...) {
        return 0;
    }
}

bool Win32WindowSystem::BroadcastMessage(std::uint32_t message) noexcept {
    return message != 0 && ::PostMessageW(HWND_BROADCAST, message, 0, 0) != FALSE;
}

namespace {

// The holder has the keys for a moment at every switch, and longer should a program be slow to
// take them: Alt+F4 or a close sent to it must not end it for the rest of the run.
LRESULT CALLBACK FocusHolderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool Win32WindowSystem::HoldFocus() noexcept {
    if (focusHolder_ && ::IsWindow(focusHolder_.Get()) == FALSE) {
        focusHolder_.Release();  // destroyed by somebody else: made again below
    }
    if (!focusHolder_) {
        constexpr const wchar_t* kClassName = L"OmbrelFocusHolder";
        WNDCLASSEXW holderClass{};
        holderClass.cbSize = sizeof(holderClass);
        holderClass.lpfnWndProc = &FocusHolderProcedure;
        holderClass.hInstance = ::GetModuleHandleW(nullptr);
        holderClass.lpszClassName = kClassName;
        ::RegisterClassExW(&holderClass);
        focusHolder_.Reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Ombrel", WS_POPUP, 0,
                                             0, 0, 0, nullptr, nullptr, holderClass.hInstance,
                                             nullptr));
    }
    return focusHolder_ && ::SetForegroundWindow(focusHolder_.Get()) != FALSE;
}

bool Win32WindowSystem::IsFocusHolder(WindowHandle window) noexcept {
    return focusHolder_ && window == FromHwnd(focusHolder_.Get());
}

bool Win32WindowSystem::CoversItsScreen(WindowHandle window) noexcept {
    const HWND hwnd = ToHwnd(window);
    RECT rect{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (hwnd == nullptr || ::GetWindowRect(hwnd, &rect) == FALSE ||
        ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONULL), &monitor) == FALSE) {
        return false;
    }
    const RECT& screen = monitor.rcMonitor;
    return rect.left <= screen.left && rect.top <= screen.top && rect.right >= screen.right &&
           rect.bottom >= screen.bottom;
}

bool Win32WindowSystem::AllowForeground(WindowHandle window) noexcept {
    const std::uint32_t processId = ProcessIdOf(window);
    return processId != 0 && ::AllowSetForegroundWindow(processId) != FALSE;
}

bool Win32WindowSystem::SetForegroundWindow(WindowHandle window) noexcept {
    // The activation is posted to the window's thread: a hung program does not hold us up.
    return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::SetTopmost(WindowHandle window) noexcept {
    // Not activated: the bar is made topmost before it is first shown, and showing it activates
    // it; activating it while hidden only costs a round of focus messages (a tenth of the
    // start-up under Wine).
    return ::SetWindowPos(ToHwnd(window), HWND_TOPMOST, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

}  // namespace ombrel::win32
