#include "shell/ProgramWindow.h"

namespace ombrel {
namespace {

// Whether the text a message's lParam points to (if any) is the name given.
bool PointsToName(std::intptr_t lParam, std::u16string_view name) {
    if (lParam == 0) {
        return false;
    }
    // The system's text of UTF-16 units, ended by a 0; read no further than the name's end.
    const auto* text = reinterpret_cast<const char16_t*>(lParam);
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (text[at] != name[at]) {
            return false;
        }
    }
    return text[name.size()] == u'\0';
}

}  // namespace

bool ProgramWindow::Create() {
    showBar_ = windows_.RegisterMessage(kShowBarMessageName);
    taskbarCreated_ = windows_.RegisterMessage(kTaskbarCreatedMessageName);
    settingsChanged_ = windows_.RegisterMessage(kSettingsChangedMessageName);
    commandsWaiting_ = windows_.RegisterMessage(kCommandsWaitingMessageName);
    shellHook_ = windows_.RegisterMessage(kShellHookMessageName);
    trayIcon_ = windows_.RegisterMessage(kTrayIconMessageName);
    window_ = procedures_.CreateProgramWindow(*this);
    if (window_ == WindowHandle::None) {
        return false;
    }
    // An administrator's Ombrel still hears the shell's restart, its tray icon's clicks and an
    // ordinary second start. Commands come by the command channel alone: no other program's
    // message carries one.
    for (std::uint32_t message : {showBar_, taskbarCreated_, trayIcon_}) {
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
    } else if (is(trayIcon_)) {
        const auto what = static_cast<std::uint32_t>(message.lParam & 0xFFFF);
        // Signed: a screen left of or above the main one has negative places.
        const ScreenPoint at{static_cast<std::int16_t>(message.wParam & 0xFFFF),
                             static_cast<std::int16_t>((message.wParam >> 16) & 0xFFFF)};
        if (what == kTrayIconSelected || what == kTrayIconKeySelected) {
            events_.OnProgramEvent({Kind::TrayIconClicked, -1, WindowHandle::None, 0, at});
        } else if (what == kWmContextMenu) {
            events_.OnProgramEvent({Kind::TrayIconMenuWanted, -1, WindowHandle::None, 0, at});
        }
    } else {
        // Told to every top-level window: the system's own handling goes on as well.
        if (message.message == kWmSettingChange &&
            PointsToName(message.lParam, kColoursChangedArea)) {
            events_.OnProgramEvent({Kind::ThemeChanged});
        } else if (message.message == kWmDisplayChange || message.message == kWmDpiChanged) {
            events_.OnProgramEvent({Kind::ScaleChanged});
        }
        return procedures_.DefaultProcedure(message);
    }
    return 0;
}

}  // namespace ombrel
