#include "engine/MainWindowHook.h"

#include <string_view>

#include "engine/HotkeyTable.h"

namespace ombrel {

void MainWindowHook::Install(WindowHandle hWnd, RegisteredMessages messages) {
    messages_ = messages;
    // An administrator's bar still hears the shell's restart and an ordinary second start.
    // Commands come by the command channel alone: no other program's message carries one.
    for (std::uint32_t message : {messages.showBar, messages.taskbarCreated}) {
        if (message != 0) {
            procedures_.AllowFromAnyProgram(hWnd, message);
        }
    }
    OldWindowProc_ = procedures_.SetWindowProcedure(hWnd, procedures_.HookProcedure(*this));
    if (messages.shellHook != 0) {
        procedures_.ListenToShell(hWnd, true);
    }
}

void MainWindowHook::Remove(WindowHandle hWnd) {
    if (messages_.shellHook != 0) {
        procedures_.ListenToShell(hWnd, false);
    }
    // Keep the old procedure: a message that still reaches us is passed on, not looped back.
    procedures_.SetWindowProcedure(hWnd, OldWindowProc_);
}

std::intptr_t MainWindowHook::WindowProc(const WindowMessage& message) noexcept {
    try {
        if (message.message == kWmHotkey) {
            engine_.RunKey(static_cast<int>(message.wParam));
        } else if (message.message == messages_.showBar && messages_.showBar != 0) {
            engine_.ShowBar();
        } else if (message.message == messages_.taskbarCreated && messages_.taskbarCreated != 0) {
            engine_.ShellRestarted();
        } else if (message.message == messages_.settingsChanged && messages_.settingsChanged != 0) {
            program_.SettingsFolderChanged();
        } else if (message.message == messages_.shellHook && messages_.shellHook != 0) {
            if (message.wParam == kShellWindowFlashes) {
                engine_.WindowWantsAttention(static_cast<WindowHandle>(message.lParam));
            }
        } else if (message.message == kWmDisplayChange) {
            engine_.ScreensChanged();
        } else if (message.message == kWmDpiChanged) {
            // The bar takes its new size and place first; then it must still be on a screen.
            const std::intptr_t result = procedures_.CallWindowProcedure(OldWindowProc_, message);
            engine_.ScreensChanged();
            return result;
        } else if (message.message == messages_.commandsWaiting && messages_.commandsWaiting != 0) {
            // Posted by our own channel; from anybody else it only finds nothing waiting.
            program_.CommandsWaiting();
        } else if (message.message == kWmExitLater) {
            engine_.ExitNow(message.lParam);
            return 0;
        }
    } catch (...) {
        // Nothing may cross the window procedure; the message still goes on below.
    }
    return procedures_.CallWindowProcedure(OldWindowProc_, message);
}

}  // namespace ombrel
