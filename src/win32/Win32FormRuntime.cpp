#include "win32/Win32FormRuntime.h"

#include <commctrl.h>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kOwnerClassName = L"OmbrelOwner";

}  // namespace

Win32FormRuntime::Win32FormRuntime(HINSTANCE instance, bool previousInstance)
    : instance_(instance), previousInstance_(previousInstance) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    FormWindow::RegisterClass(instance);

    WNDCLASSEXW ownerClass{};
    ownerClass.cbSize = sizeof(ownerClass);
    ownerClass.lpfnWndProc = &Win32FormRuntime::OwnerProc;
    ownerClass.hInstance = instance;
    ownerClass.lpszClassName = kOwnerClassName;
    ::RegisterClassExW(&ownerClass);
    owner_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClassName, L"Ombrel", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, instance, this);
}

Win32FormRuntime::~Win32FormRuntime() {
    windows_.clear();
    if (owner_ != nullptr) {
        ::DestroyWindow(owner_);
    }
}

LRESULT CALLBACK Win32FormRuntime::OwnerProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32FormRuntime*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
        if (message == WM_QUERYENDSESSION) {
            return TRUE;
        }
        if (message == WM_ENDSESSION && wParam != FALSE) {
            // Logging off: every held window is shown again before the session goes.
            self->EndSession();
            return 0;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
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
        native = std::make_unique<FormWindow>(form, instance_, owner_);
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

float Win32FormRuntime::ScreenWidthTwips() noexcept {
    const UINT dpi = ::GetDpiForSystem();
    return static_cast<float>(::GetSystemMetrics(SM_CXSCREEN)) * 1440.0F / static_cast<float>(dpi);
}

std::wstring Win32FormRuntime::ModulePath() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::u16string Win32FormRuntime::ProgramDirectory() {
    const std::wstring path = ModulePath();
    const auto slash = path.find_last_of(L'\\');
    return FromWide(slash == std::wstring::npos ? std::wstring_view()
                                                : std::wstring_view(path).substr(0, slash));
}

std::u16string Win32FormRuntime::ProgramName() {
    const std::wstring path = ModulePath();
    const auto slash = path.find_last_of(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.resize(dot);
    }
    return FromWide(name);
}

void Win32FormRuntime::EndProcess() noexcept {
    ::ExitProcess(0);
}

}  // namespace ombrel::win32
