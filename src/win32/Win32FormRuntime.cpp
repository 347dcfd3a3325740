#include "win32/Win32FormRuntime.h"

#include <commctrl.h>

#include "win32/Handles.h"
#include "win32/PopupMenu.h"
#include "win32/SessionOwnerWindow.h"
#include "win32/WorkAreas.h"

namespace ombrel::win32 {

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

int Win32FormRuntime::RunMessageLoop(MessageLoopWaits& waits) {
    MSG message{};
    for (;;) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Nobody posts WM_QUIT; should it come, leave the orderly way.
                EndSession();
                return static_cast<int>(message.wParam);
            }
            // Tab and the arrow keys move the focus between a form's controls.
            const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
            if (IsOurForm(root) && ::IsDialogMessageW(root, &message)) {
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        waits.Wait();
    }
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
    return native == nullptr ? -1 : ShowPopupMenu(native->Handle(), items, programIcons_);
}

void Win32FormRuntime::WatchWindowDrops(Form& form) noexcept {
    FormWindow* native = Find(form);
    if (native == nullptr) {
        return;
    }
    try {
        native->WatchWindowDrops();
    } catch (...) {
        return;  // the form goes without hearing of drops
    }
    if (!moveSizeHook_) {
        moveSizeHook_ = DropWatcher::HookMoveSizeEvents();
    }
}

std::vector<ScreenArea> Win32FormRuntime::WorkAreasTwips() {
    return win32::WorkAreasTwips();
}

}  // namespace ombrel::win32
