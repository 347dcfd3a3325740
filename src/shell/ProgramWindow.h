#pragma once

#include <cstdint>
#include <string_view>

#include "platform/WindowProcedures.h"
#include "platform/WindowSystem.h"
#include "ui/NotifyIcon.h"

namespace ombrel {

// What a second start of the program posts to every window, so that the running instance shows
// its bar: the only way back to a bar hidden while another program holds Ctrl+F12.
inline constexpr std::u16string_view kShowBarMessageName = u"Ombrel.ShowBar.5B0C7A0E";
// What the shell posts to every top-level window when it has started again.
inline constexpr std::u16string_view kTaskbarCreatedMessageName = u"TaskbarCreated";
// What the settings file's watcher posts to the program's window when its folder changed.
inline constexpr std::u16string_view kSettingsChangedMessageName =
    u"Ombrel.SettingsChanged.5B0C7A0E";
// What the command channel posts to the program's window when commands wait to be run.
inline constexpr std::u16string_view kCommandsWaitingMessageName =
    u"Ombrel.CommandsWaiting.5B0C7A0E";
// What the tray icon sends the program's window when the user clicks it.
inline constexpr std::u16string_view kTrayIconMessageName = u"Ombrel.TrayIcon.5B0C7A0E";
// What the system sends a window registered to hear the shell's news.
inline constexpr std::u16string_view kShellHookMessageName = u"SHELLHOOK";
// The shell's news that a window flashes (HSHELL_FLASH): the window's program asks for the
// user, by FlashWindowEx or because the system refused it the front.
inline constexpr std::uintptr_t kShellWindowFlashes = 0x8006;
// What every top-level window is told of a change of the system's settings (WM_SETTINGCHANGE),
// with the name of the area that changed; "ImmersiveColorSet" for the colours of the taskbar.
inline constexpr std::uint32_t kWmSettingChange = 0x001A;
inline constexpr std::u16string_view kColoursChangedArea = u"ImmersiveColorSet";
// The screens changed (WM_DISPLAYCHANGE), or the scale of the window's screen (WM_DPICHANGED).
inline constexpr std::uint32_t kWmDisplayChange = 0x007E;
inline constexpr std::uint32_t kWmDpiChanged = 0x02E0;
// What a tray icon of NOTIFYICON_VERSION_4 says in the low word of the message's lParam: a
// click or Enter on it (NIN_SELECT, NIN_KEYSELECT), a right click or the menu key; its wParam
// holds the place for a menu, x in the low word and y in the high one.
inline constexpr std::uint32_t kTrayIconSelected = 0x0400;
inline constexpr std::uint32_t kTrayIconKeySelected = 0x0401;
inline constexpr std::uint32_t kWmContextMenu = 0x007B;

// One thing the program's window heard.
struct ProgramEvent {
    enum class Kind {
        Hotkey,                 // hotkey: the id of the key pressed
        BarWanted,              // a second start asks for the bar
        ShellRestarted,         // the shell started again: its windows are new
        SettingsFolderChanged,  // something in the settings file's folder changed
        CommandsWaiting,        // commands of other processes wait on the command channel
        WindowFlashed,          // window: its program asks for the user
        TimerDue,               // timer: one of the window's timers went off
        ThemeChanged,           // the taskbar's colours may have changed
        ScaleChanged,           // the screens or their scale changed
        TrayIconClicked,        // at: the tray icon was clicked, or chosen with the keyboard
        TrayIconMenuWanted,     // at: the tray icon was right-clicked
    };
    Kind kind;
    int hotkey = -1;
    WindowHandle window = WindowHandle::None;
    std::uintptr_t timer = 0;
    ScreenPoint at{};
};

class ProgramEvents {
  public:
    ProgramEvents() = default;
    ProgramEvents(const ProgramEvents&) = delete;
    ProgramEvents& operator=(const ProgramEvents&) = delete;
    virtual void OnProgramEvent(const ProgramEvent& event) noexcept = 0;

  protected:
    ~ProgramEvents() = default;
};

// The program's own hidden top-level window: it holds the hotkeys and hears what is posted to
// every window, the settings' and the command channel's notices and the shell's news, each
// turned into one event for the program. The bar is a view only: nothing else listens on it.
class ProgramWindow final : public MessageHandler {
  public:
    ProgramWindow(WindowProcedures& procedures, WindowSystem& windows, ProgramEvents& events)
        : procedures_(procedures), windows_(windows), events_(events) {}
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;
    ~ProgramWindow() { Destroy(); }

    // Makes the window; false when the system would not.
    bool Create();
    void Destroy() noexcept;
    WindowHandle Handle() const { return window_; }
    std::uint32_t SettingsChangedMessage() const { return settingsChanged_; }
    std::uint32_t CommandsWaitingMessage() const { return commandsWaiting_; }
    std::uint32_t TrayIconMessage() const { return trayIcon_; }

    std::intptr_t WindowProc(const WindowMessage& message) noexcept;
    std::intptr_t HandleMessage(const WindowMessage& message) noexcept override {
        return WindowProc(message);
    }

  private:
    WindowProcedures& procedures_;
    WindowSystem& windows_;
    ProgramEvents& events_;
    WindowHandle window_ = WindowHandle::None;
    bool listensToShell_ = false;
    std::uint32_t showBar_ = 0;
    std::uint32_t taskbarCreated_ = 0;
    std::uint32_t settingsChanged_ = 0;
    std::uint32_t commandsWaiting_ = 0;
    std::uint32_t shellHook_ = 0;
    std::uint32_t trayIcon_ = 0;
};

}  // namespace ombrel
