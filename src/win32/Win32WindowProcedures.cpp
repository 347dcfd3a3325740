#include "win32/Win32WindowProcedures.h"

#include <windows.h>

#include <array>
#include <utility>

#include "win32/Handles.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kProgramWindowClass = L"OmbrelProgram";

// The hook's procedure is told nothing of who set it: the one listener, of this thread.
WindowEventListener* g_windowEventListener = nullptr;

void CALLBACK HearWindowEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object,
                              LONG child, DWORD /*thread*/, DWORD /*time*/) {
    if (object != OBJID_WINDOW || child != CHILDID_SELF || window == nullptr ||
        g_windowEventListener == nullptr) {
        return;
    }
    WindowEventKind kind{};
    switch (event) {
        case EVENT_OBJECT_CREATE:
            kind = WindowEventKind::Created;
            break;
        case EVENT_OBJECT_SHOW:
            kind = WindowEventKind::Shown;
            break;
        case EVENT_OBJECT_HIDE:
            kind = WindowEventKind::Hidden;
            break;
        case EVENT_OBJECT_DESTROY:
            kind = WindowEventKind::Destroyed;
            break;
        case EVENT_OBJECT_NAMECHANGE:
            kind = WindowEventKind::Renamed;
            break;
        case EVENT_SYSTEM_MINIMIZESTART:
            kind = WindowEventKind::Minimized;
            break;
        case EVENT_SYSTEM_MINIMIZEEND:
            kind = WindowEventKind::Restored;
            break;
        case EVENT_SYSTEM_FOREGROUND:
            kind = WindowEventKind::Foreground;
            break;
        default:
            return;
    }
    // Top-level windows only: their controls send the same news, far more of it. A destroyed
    // window can no longer tell; it costs a look at most.
    if (kind != WindowEventKind::Destroyed &&
        ::GetAncestor(window, GA_PARENT) != ::GetDesktopWindow()) {
        return;
    }
    g_windowEventListener->OnWindowEvent({kind, FromHwnd(window)});
}

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MessageHandler*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (handler == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return handler->HandleMessage({FromHwnd(window), message, wParam, lParam});
}

}  // namespace

WindowHandle Win32WindowProcedures::CreateProgramWindow(MessageHandler& handler) noexcept {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ProgramWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kProgramWindowClass;
    ::RegisterClassExW(&windowClass);  // already there on a second window: the same class
    // Never shown, and a tool window: no taskbar button, no place in the task switcher.
    return FromHwnd(::CreateWindowExW(WS_EX_TOOLWINDOW, kProgramWindowClass, L"Ombrel", WS_POPUP, 0,
                                      0, 0, 0, nullptr, nullptr, instance, &handler));
}

void Win32WindowProcedures::DestroyProgramWindow(WindowHandle window) noexcept {
    const HWND hwnd = ToHwnd(window);
    // Heard no more: what still arrives goes to the system's default.
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd);
}

std::intptr_t Win32WindowProcedures::DefaultProcedure(const WindowMessage& message) noexcept {
    return ::DefWindowProcW(ToHwnd(message.window), message.message, message.wParam,
                            message.lParam);
}

void Win32WindowProcedures::AllowFromAnyProgram(WindowHandle window,
                                                std::uint32_t message) noexcept {
    ::ChangeWindowMessageFilterEx(ToHwnd(window), message, MSGFLT_ALLOW, nullptr);
}

bool Win32WindowProcedures::ListenToShell(WindowHandle window, bool listen) noexcept {
    // Wine has these as stubs that refuse: nothing arrives there.
    return listen ? ::RegisterShellHookWindow(ToHwnd(window)) != FALSE
                  : ::DeregisterShellHookWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowProcedures::ListenToWindowEvents(WindowEventListener* listener) noexcept {
    eventHooks_.clear();
    g_windowEventListener = listener;
    if (listener == nullptr) {
        return true;
    }
    static constexpr std::array<std::pair<DWORD, DWORD>, 4> kRanges{{
        {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
        {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
        {EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE},  // created, destroyed, shown, hidden
        {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE},
    }};
    try {
        eventHooks_.reserve(kRanges.size());
        for (const auto& [first, last] : kRanges) {
            // Out of context: the news is queued to this thread and arrives through its message
            // loop; no code of ours runs in other programs, and our own windows are left out.
            UniqueWinEventHook hook(
                ::SetWinEventHook(first, last, nullptr, &HearWindowEvent, 0, 0,
                                  WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
            if (hook) {
                eventHooks_.push_back(std::move(hook));
            }
        }
    } catch (...) {
        // Out of memory for four handles: the once-a-second look still sees everything.
    }
    return !eventHooks_.empty();
}

bool Win32WindowProcedures::StartTimer(WindowHandle window, std::uintptr_t id,
                                       std::uint32_t milliseconds) noexcept {
    return ::SetTimer(ToHwnd(window), id, milliseconds, nullptr) != 0;
}

void Win32WindowProcedures::StopTimer(WindowHandle window, std::uintptr_t id) noexcept {
    ::KillTimer(ToHwnd(window), id);
}

}  // namespace ombrel::win32
