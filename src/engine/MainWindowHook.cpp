#include "engine/MainWindowHook.h"

#include <string_view>

#include "engine/HotkeyTable.h"

namespace ombrel {

void MainWindowHook::Install(WindowHandle hWnd, std::uint32_t showBarMessage) {
    showBarMessage_ = showBarMessage;
    OldWindowProc_ = procedures_.SetWindowProcedure(hWnd, procedures_.HookProcedure(*this));
}

void MainWindowHook::Remove(WindowHandle hWnd) {
    // Keep the old procedure: a message that still reaches us is passed on, not looped back.
    procedures_.SetWindowProcedure(hWnd, OldWindowProc_);
}

std::intptr_t MainWindowHook::WindowProc(const WindowMessage& message) noexcept {
    if (message.message == kWmHotkey && message.wParam < kHotkeyCount) {
        try {
            engine_.SwitchDesktop(static_cast<std::int16_t>(message.wParam));
        } catch (...) {
            // Nothing may cross the window procedure; the message still goes on below.
        }
    } else if (message.message == showBarMessage_ && showBarMessage_ != 0) {
        engine_.ShowBar();
    }
    return procedures_.CallWindowProcedure(OldWindowProc_, message);
}

}  // namespace ombrel
