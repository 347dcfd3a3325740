#include "win32/CrashRelay.h"

#include <utility>

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kClassName = L"OmbrelCrashRelay";
constexpr UINT kRestoreNow = WM_APP + 2;
// Long enough for a command under way to end, short enough that the process dies soon.
constexpr UINT kPatienceMs = 2000;

}  // namespace

CrashRelay::CrashRelay(HINSTANCE instance, Program& program)
    : program_(program), ownerThread_(::GetCurrentThreadId()) {
    WNDCLASSEXW relayClass{};
    relayClass.hInstance = instance;
    relayClass.lpszClassName = kClassName;
    RegisterWindowClass(relayClass);
    CreateNativeWindow(0, kClassName, L"", 0, HWND_MESSAGE, instance);
}

CrashRelay::~CrashRelay() {
    if (window_ != nullptr) {
        ::DestroyWindow(std::exchange(window_, nullptr));
    }
}

void CrashRelay::RestoreFromAnyThread() noexcept {
    if (::GetCurrentThreadId() == ownerThread_ || window_ == nullptr) {
        RestoreOnce();
        return;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window_, kRestoreNow, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored);
}

void CrashRelay::RestoreOnce() noexcept {
    if (!restored_.exchange(true)) {
        program_.ShowEverythingNow();
    }
}

LRESULT CrashRelay::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRestoreNow) {
        RestoreOnce();
        return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace ombrel::win32
