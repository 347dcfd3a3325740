#include "shell/ProgramWindow.h"

namespace ombrel {

bool ProgramWindow::Create() {
    showBar_ = windows_.RegisterMessage(kShowBarMessageName);
    taskbarCreated_ = windows_.RegisterMessage(kTaskbarCreatedMessageName);
    settingsChanged_ = windows_.RegisterMessage(kSettingsChangedMessageName);
    commandsWaiting_ = windows_.RegisterMessage(kCommandsWaitingMessageName);
    shellHook_ = windows_.RegisterMessage(kShellHookMessageName);
    window_ = procedures_.CreateProgramWindow(*this);
    if (window_ == WindowHandle::None) {
        return false;
    }
    // An administrator's Ombrel still hears the shell's restart and an ordinary second start.
    // Commands come by the command channel alone: no other program's message carries one.
    for (std::uint32_t message : {showBar_, taskbarCreated_}) {
        if (message != 0) {
            procedures_.AllowFromAnyProgram(window_, message);
        }
    }
    listensToShell_ = shellHook_ != 0 && procedures_.ListenToShell(window_, true);
    return true;
}

void ProgramWindow::Destroy() noexcept {
    if (window_ == WindowHandle::None) {
        return;
    }
    if (listensToShell_) {
        procedures_.ListenToShell(window_, false);
    }
    procedures_.DestroyProgramWindow(window_);
    window_ = WindowHandle::None;
}

std::intptr_t ProgramWindow::WindowProc(const WindowMessage& message) noexcept {
    using Kind = ProgramEvent::Kind;
    const auto is = [&message](std::uint32_t registered) {
        return registered != 0 && message.message == registered;
    };
    if (message.message == kWmHotkey) {
        events_.OnProgramEvent({Kind::Hotkey, static_cast<int>(message.wParam)});
    } else if (message.message == kWmTimer) {
        events_.OnProgramEvent({Kind::TimerDue, -1, WindowHandle::None, message.wParam});
    } else if (is(showBar_)) {
        events_.OnProgramEvent({Kind::BarWanted});
    } else if (is(taskbarCreated_)) {
        events_.OnProgramEvent({Kind::ShellRestarted});
    } else if (is(settingsChanged_)) {
        events_.OnProgramEvent({Kind::SettingsFolderChanged});
    } else if (is(commandsWaiting_)) {
        // Posted by our own channel; from anybody else it only finds nothing waiting.
        events_.OnProgramEvent({Kind::CommandsWaiting});
    } else if (is(shellHook_)) {
        if (message.wParam == kShellWindowFlashes) {
            events_.OnProgramEvent(
                {Kind::WindowFlashed, -1, static_cast<WindowHandle>(message.lParam)});
        }
    } else {
        return procedures_.DefaultProcedure(message);
    }
    return 0;
}

}  // namespace ombrel
