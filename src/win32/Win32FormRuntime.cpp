#include "win32/Win32FormRuntime.h"

#include <commctrl.h>

#include <utility>

#include "win32/Handles.h"
#include "win32/NativeWindow.h"
#include "win32/WideText.h"
#include "win32/WindowIcon.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kOwnerClassName = L"OmbrelOwner";

}  // namespace

// Owns the forms' windows so that none of them gets a taskbar button; never shown. It hears
// the end of the session.
class SessionOwnerWindow final : public NativeWindow {
  public:
    SessionOwnerWindow(HINSTANCE instance, Win32FormRuntime& runtime) : runtime_(runtime) {
        WNDCLASSEXW ownerClass{};
        ownerClass.hInstance = instance;
        ownerClass.lpszClassName = kOwnerClassName;
        RegisterWindowClass(ownerClass);
        CreateNativeWindow(WS_EX_TOOLWINDOW, kOwnerClassName, L"Ombrel", WS_POPUP, nullptr,
                           instance);
    }
    SessionOwnerWindow(const SessionOwnerWindow&) = delete;
    SessionOwnerWindow& operator=(const SessionOwnerWindow&) = delete;
    ~SessionOwnerWindow() {
        if (window_ != nullptr) {
            ::DestroyWindow(std::exchange(window_, nullptr));
        }
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_QUERYENDSESSION) {
            runtime_.SessionEnding();
            return TRUE;
        }
        if (message == WM_ENDSESSION && wParam != FALSE) {
            // Logging off: every held window is shown again before the session goes.
            runtime_.EndSession();
            return 0;
        }
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }

    Win32FormRuntime& runtime_;
};

Win32FormRuntime::Win32FormRuntime(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    FormWindow::RegisterClass(instance);
    owner_ = std::make_unique<SessionOwnerWindow>(instance, *this);
}

Win32FormRuntime::~Win32FormRuntime() {
    windows_.clear();
}

void Win32FormRuntime::EndSession() noexcept {
    try {
        if (mainForm_ != nullptr) {
            mainForm_->Unload();
        }
    } catch (...) {
        ::ExitProcess(1);
    }
}

void Win32FormRuntime::SessionEnding() noexcept {
    try {
        if (mainForm_ != nullptr) {
            mainForm_->RaiseSessionEnding();
        }
    } catch (...) {
        // Nothing may cross the window procedure; the end of the session still shows them all.
    }
}

bool Win32FormRuntime::IsOurForm(HWND window) const {
    for (const auto& [form, native] : windows_) {
        if (native->Handle() == window && window != nullptr) {
            return true;
        }
    }
    return false;
}

int Win32FormRuntime::RunMessageLoop() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move the focus between a form's controls.
        const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
        if (IsOurForm(root) && ::IsDialogMessageW(root, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // Nobody posts WM_QUIT; should it come, leave the orderly way.
    EndSession();
    return static_cast<int>(message.wParam);
}

FormWindow* Win32FormRuntime::Find(const Form& form) const {
    const auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.get();
}

WindowHandle Win32FormRuntime::CreateFormWindow(Form& form) {
    auto& native = windows_[&form];
    if (!native) {
        native = std::make_unique<FormWindow>(form, instance_, owner_->Handle());
    }
    return FromHwnd(native->Create());
}

void Win32FormRuntime::DestroyFormWindow(Form& form) noexcept {
    if (FormWindow* native = Find(form)) {
        native->Destroy();
    }
}

void Win32FormRuntime::ShowFormWindow(Form& form) noexcept {
    if (FormWindow* native = Find(form)) {
        native->Show();
    }
}

void Win32FormRuntime::HideFormWindow(Form& form) noexcept {
    if (FormWindow* native = Find(form)) {
        native->Hide();
    }
}

bool Win32FormRuntime::IsFormWindowVisible(const Form& form) noexcept {
    const FormWindow* native = Find(form);
    return native != nullptr && ::IsWindowVisible(native->Handle()) != FALSE;
}

void Win32FormRuntime::FormChanged(Form& form, FormChange change) noexcept {
    FormWindow* native = Find(form);
    if (native == nullptr) {
        return;
    }
    try {
        if (change == FormChange::Caption) {
            native->CaptionChanged();
        } else {
            native->PositionChanged();
        }
    } catch (...) {
        // The model keeps the change; the window shows it at its next update.
    }
}

void Win32FormRuntime::ControlChanged(Form& form, Control& control, ControlChange change) noexcept {
    if (FormWindow* native = Find(form)) {
        try {
            native->ControlChanged(control, change);
        } catch (...) {
            // As above.
        }
    }
}

float Win32FormRuntime::OuterWidthTwips(const Form& form) noexcept {
    const FormWindow* native = Find(form);
    return native == nullptr ? 0.0F : native->OuterWidthTwips();
}

int Win32FormRuntime::ShowMenu(Form& form, std::span<const MenuItem> items) noexcept {
    const FormWindow* native = Find(form);
    if (native == nullptr) {
        return -1;
    }
    // The pictures outlive the menu that draws them.
    std::vector<UniqueBitmap> icons;
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return -1;
    }
    int chosen = 0;
    try {
        // The menu is drawn at the scale of the screen the bar stands on.
        const int iconSize =
            ::GetSystemMetricsForDpi(SM_CXSMICON, ::GetDpiForWindow(native->Handle()));
        icons.reserve(items.size());
        for (std::size_t index = 0; index < items.size(); ++index) {
            const MenuItem& item = items[index];
            // A title's "&" is a character, not the mark of a shortcut key.
            std::wstring text;
            for (wchar_t character : ToWide(item.text)) {
                text += character == L'&' ? std::wstring(L"&&") : std::wstring(1, character);
            }
            MENUITEMINFOW line{};
            line.cbSize = sizeof(line);
            line.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
            line.wID = static_cast<UINT>(index + 1);
            line.dwTypeData = text.data();
            line.fState = item.enabled ? MFS_ENABLED : MFS_DISABLED;
            if (item.iconOf != WindowHandle::None) {
                icons.push_back(WindowIconBitmap(ToHwnd(item.iconOf), iconSize, programIcons_));
                if (icons.back()) {
                    line.fMask |= MIIM_BITMAP;
                    line.hbmpItem = icons.back().Get();
                }
            }
            ::InsertMenuItemW(menu.Get(), static_cast<UINT>(index), TRUE, &line);
        }
        POINT at{};
        ::GetCursorPos(&at);
        // The owner in front, or the menu does not close when the user clicks elsewhere.
        ::SetForegroundWindow(native->Handle());
        chosen = ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                  at.y, 0, native->Handle(), nullptr);
    } catch (...) {
        chosen = 0;
    }
    return chosen - 1;
}

void Win32FormRuntime::WatchWindowDrops(Form& form) noexcept {
    FormWindow* native = Find(form);
    if (native == nullptr) {
        return;
    }
    native->WatchWindowDrops();
    if (!moveSizeHook_) {
        // Out of context: the news is queued to this thread and arrives through its message
        // loop, and no code of ours runs in other programs. Our own windows' moves are not news.
        moveSizeHook_.Reset(::SetWinEventHook(EVENT_SYSTEM_MOVESIZESTART, EVENT_SYSTEM_MOVESIZEEND,
                                              nullptr, &FormWindow::OnMoveSizeEvent, 0, 0,
                                              WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    }
}

std::vector<ScreenArea> Win32FormRuntime::WorkAreasTwips() {
    std::vector<ScreenArea> areas;
    const MONITORENUMPROC collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoW(monitor, &info) != FALSE) {
            const RECT& work = info.rcWork;
            try {
                reinterpret_cast<std::vector<ScreenArea>*>(found)->push_back(
                    {ScreenTwips(work.left), ScreenTwips(work.top), ScreenTwips(work.right),
                     ScreenTwips(work.bottom), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
            } catch (...) {
                return FALSE;  // nothing may cross the system's callback
            }
        }
        return TRUE;
    };
    ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace ombrel::win32
