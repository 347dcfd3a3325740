#pragma once

#include <cstdint>
#include <string_view>

#include "engine/DesktopEngine.h"
#include "platform/WindowProcedures.h"

namespace ombrel {

// What a second start of the program posts to every window, so that the running instance shows
// its bar: the only way back to a bar hidden while another program holds Ctrl+F12.
inline constexpr std::u16string_view kShowBarMessageName = u"Ombrel.ShowBar.5B0C7A0E";
// What the shell posts to every top-level window when it has started again.
inline constexpr std::u16string_view kTaskbarCreatedMessageName = u"TaskbarCreated";
// Sent to every top-level window when a screen was added, removed or changed its resolution.
inline constexpr std::uint32_t kWmDisplayChange = 0x007E;
// Sent to a window whose screen changed its scale, or that moved to a screen of another scale.
inline constexpr std::uint32_t kWmDpiChanged = 0x02E0;

// What the settings file's watcher posts to the bar when something in its folder changed.
inline constexpr std::u16string_view kSettingsChangedMessageName =
    u"Ombrel.SettingsChanged.5B0C7A0E";

// What the command channel posts to the bar when commands wait to be run.
inline constexpr std::u16string_view kCommandsWaitingMessageName =
    u"Ombrel.CommandsWaiting.5B0C7A0E";
// What the system sends a window registered to hear the shell's news.
inline constexpr std::u16string_view kShellHookMessageName = u"SHELLHOOK";
// The shell's news that a window flashes (HSHELL_FLASH): the window's program asks for the
// user, by FlashWindowEx or because the system refused it the front.
inline constexpr std::uintptr_t kShellWindowFlashes = 0x8006;

// The registered message numbers the hook answers (0: none).
struct RegisteredMessages {
    std::uint32_t showBar = 0;
    std::uint32_t taskbarCreated = 0;
    std::uint32_t settingsChanged = 0;
    std::uint32_t commandsWaiting = 0;
    std::uint32_t shellHook = 0;
};

// What the hook hands to the program rather than to the engine.
class ProgramMessages {
  public:
    ProgramMessages() = default;
    ProgramMessages(const ProgramMessages&) = delete;
    ProgramMessages& operator=(const ProgramMessages&) = delete;
    // Something in the settings file's folder changed.
    virtual void SettingsFolderChanged() noexcept = 0;
    // Commands of other processes wait on the command channel.
    virtual void CommandsWaiting() noexcept = 0;

  protected:
    ~ProgramMessages() = default;
};

// Sits in front of the main window's procedure: runs the command of every hotkey, shows the bar
// when a second start asks for it, has the commands of other processes run, finds the shell's
// windows again when the shell restarted, keeps the bar on a screen when the screens change,
// marks the desktop of a window that flashes, then hands each message on unchanged.
class MainWindowHook final : public MessageHandler {
  public:
    MainWindowHook(WindowProcedures& procedures, DesktopEngine& engine, ProgramMessages& program)
        : procedures_(procedures), engine_(engine), program_(program) {}

    void Install(WindowHandle hWnd, RegisteredMessages messages);
    void Remove(WindowHandle hWnd);
    WindowProcedure OldWindowProc() const { return OldWindowProc_; }

    std::intptr_t WindowProc(const WindowMessage& message) noexcept;
    std::intptr_t HandleMessage(const WindowMessage& message) noexcept override {
        return WindowProc(message);
    }

  private:
    WindowProcedures& procedures_;
    DesktopEngine& engine_;
    ProgramMessages& program_;
    WindowProcedure OldWindowProc_ = WindowProcedure::None;
    RegisteredMessages messages_;
};

}  // namespace ombrel
