#include "win32/DropWatcher.h"

#include <cstdlib>
#include <utility>

#include "win32/Handles.h"

namespace ombrel::win32 {
namespace {

// Kept on a form's window while it hears of other programs' windows let go over it.
constexpr const wchar_t* kDropWatcherProperty = L"Ombrel.DropWatcher";

}  // namespace

void DropWatcher::Attach(HWND window) {
    window_ = window;
    ::SetPropW(window_, kDropWatcherProperty, this);
}

void DropWatcher::Detach() {
    if (window_ != nullptr) {
        ::RemovePropW(std::exchange(window_, nullptr), kDropWatcherProperty);
    }
}

UniqueWinEventHook DropWatcher::HookMoveSizeEvents() {
    // Out of context: the news is queued to this thread and arrives through its message loop,
    // and no code of ours runs in other programs.
    return UniqueWinEventHook(::SetWinEventHook(
        EVENT_SYSTEM_MOVESIZESTART, EVENT_SYSTEM_MOVESIZEEND, nullptr,
        &DropWatcher::OnMoveSizeEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

void CALLBACK DropWatcher::OnMoveSizeEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window,
                                           LONG object, LONG /*child*/, DWORD /*thread*/,
                                           DWORD /*time*/) {
    // Only top-level windows; their parts send the same news.
    if (object != OBJID_WINDOW || window == nullptr || ::GetAncestor(window, GA_ROOT) != window) {
        return;
    }
    struct News {
        DWORD event;
        HWND window;
    };
    News news{event, window};
    // The watchers are found through the windows they watch, which carry them: the hook's
    // procedure is told nothing else.
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND form, LPARAM context) -> BOOL {
            auto* watcher = static_cast<DropWatcher*>(::GetPropW(form, kDropWatcherProperty));
            if (watcher != nullptr && watcher->window_ == form) {
                const News& told = *reinterpret_cast<const News*>(context);
                try {
                    if (told.event == EVENT_SYSTEM_MOVESIZESTART) {
                        watcher->OnMoveStarted(told.window);
                    } else if (told.event == EVENT_SYSTEM_MOVESIZEEND) {
                        watcher->OnMoveEnded(told.window);
                    }
                } catch (...) {
                    // Nothing crosses the system's callback; the window stays where it is.
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&news));
}

void DropWatcher::OnMoveStarted(HWND moving) {
    RECT rect{};
    moving_ = ::GetWindowRect(moving, &rect) != FALSE ? moving : nullptr;
    movingSize_ = {rect.right - rect.left, rect.bottom - rect.top};
    movingDpi_ = ::GetDpiForWindow(moving);
}

void DropWatcher::OnMoveEnded(HWND moved) {
    // A window whose size changed was sized, not carried: its edge let go over a button is no
    // wish to send it anywhere.
    // One carried onto a screen of another scale was resized by the system in proportion.
    RECT rect{};
    const UINT dpi = ::GetDpiForWindow(moved);
    const auto same = [&](LONG before, LONG after) {
        const LONG expected = movingDpi_ == 0 || dpi == 0 ? before
                                                          : ::MulDiv(before, static_cast<int>(dpi),
                                                                     static_cast<int>(movingDpi_));
        return std::abs(after - expected) <= 2;
    };
    const bool sized = moved != std::exchange(moving_, nullptr) ||
                       ::GetWindowRect(moved, &rect) == FALSE ||
                       !same(movingSize_.cx, rect.right - rect.left) ||
                       !same(movingSize_.cy, rect.bottom - rect.top);
    POINT at{};
    if (sized || window_ == nullptr || ::IsWindowVisible(window_) == FALSE ||
        ::GetCursorPos(&at) == FALSE) {
        return;
    }
    // Only where the user sees this window under the pointer, not what it covers.
    const HWND under = ::WindowFromPoint(at);
    if (under == nullptr || ::GetAncestor(under, GA_ROOT) != window_) {
        return;
    }
    const int index = controls_.IndexOf(under);
    if (index < 0) {
        form_.RaiseWindowDropped(FromHwnd(moved), {});
        return;
    }
    const Control& control = form_.AllControls()[static_cast<std::size_t>(index)];
    form_.RaiseWindowDropped(FromHwnd(moved), control.Name(), control.Index());
}

}  // namespace ombrel::win32
