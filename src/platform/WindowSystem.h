#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

// A window's style bits (WS_*) and extended style bits (WS_EX_*).
struct WindowStyles {
    std::uint32_t style = 0;
    std::uint32_t extended = 0;
};

// What a window of a program with more rights than ours answers a change (ERROR_ACCESS_DENIED).
inline constexpr std::uint32_t kErrorWindowAccessDenied = 5;

// Show activates the window and brings it to the front; ShowNoActivate shows it where it stands
// in the z-order (a hidden window keeps its place) and leaves the focus where it is; Restore
// brings a minimized window back to its size, to the front, with the focus. Each equals the
// Win32 command of the same meaning (SW_SHOW, SW_SHOWNA, SW_RESTORE).
enum class ShowCommand : int { Hide = 0, Show = 5, ShowNoActivate = 8, Restore = 9 };

// Top-level windows of the whole desktop.
class WindowSystem {
  public:
    WindowSystem() = default;
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;
    virtual ~WindowSystem() = default;

    // First top-level window of the class, or None.
    virtual WindowHandle FindWindowByClass(std::u16string_view className) noexcept = 0;
    // First child of the window with the class, or None.
    virtual WindowHandle FindChildByClass(WindowHandle parent,
                                          std::u16string_view className) noexcept = 0;
    // Waits for the window's thread to act on it: only for windows of our own thread.
    virtual bool ShowWindow(WindowHandle window, ShowCommand command) noexcept = 0;
    // Posts the request and returns at once, whatever the window's thread is doing.
    virtual bool ShowWindowAsync(WindowHandle window, ShowCommand command) noexcept = 0;
    // Sends the window's thread a message it answers when it next takes its messages, and
    // returns at once: what we posted before it has been acted on once it is answered.
    virtual bool Probe(WindowHandle window) noexcept = 0;
    // Whether every probe sent to the window has been answered (also when none was sent).
    virtual bool ProbeAnswered(WindowHandle window) noexcept = 0;
    // Whether the system counts the window's program as not responding (IsHungAppWindow): it
    // has taken no message for several seconds.
    virtual bool IsHung(WindowHandle window) noexcept = 0;
    // The error code of the last call that failed on this thread.
    virtual std::uint32_t LastError() noexcept = 0;
    virtual bool IsWindowVisible(WindowHandle window) noexcept = 0;
    virtual bool IsMinimized(WindowHandle window) noexcept = 0;
    // True when the window is kept out of sight by the system although it has the visible style.
    virtual bool IsWindowCloaked(WindowHandle window) noexcept = 0;
    virtual bool IsOwnThreadWindow(WindowHandle window) noexcept = 0;
    // The process that owns the window; 0 when there is no such window.
    virtual std::uint32_t ProcessIdOf(WindowHandle window) noexcept = 0;
    virtual std::u16string ClassName(WindowHandle window) = 0;
    // The title; never waits on the window's program.
    virtual std::u16string WindowTitle(WindowHandle window) = 0;
    // The file name of the window's program ("notepad.exe"); for a store app's window, whose
    // frame ApplicationFrameHost.exe draws, the app's own program. Empty when it cannot be known.
    virtual std::u16string ProcessNameOf(WindowHandle window) = 0;
    // The program of a store app's frame while it shows no app yet (or the app is minimized).
    static constexpr std::u16string_view kStoreAppFrameProgram = u"ApplicationFrameHost.exe";
    // The full path of the program file the window's process runs; asks the system, never the
    // program. Empty when it cannot be known.
    virtual std::u16string ProgramPathOf(WindowHandle window) = 0;
    // The AppUserModelID the window carries in its property store (a store app's, or one its
    // program gave it); read without a message to the program. Empty where it has none.
    virtual std::u16string AppIdOf(WindowHandle window) = 0;
    virtual WindowStyles StylesOf(WindowHandle window) noexcept = 0;
    // The end of the window's chain of owners: the window itself when nothing owns it.
    virtual WindowHandle RootOwner(WindowHandle window) noexcept = 0;
    // Calls visit for every top-level window in the system's order while it returns true.
    virtual bool EnumWindows(const std::function<bool(WindowHandle)>& visit) = 0;
    virtual WindowHandle GetForegroundWindow() noexcept = 0;
    // Whether the window covers the whole of its screen, as a game or a presentation does.
    virtual bool CoversItsScreen(WindowHandle window) noexcept = 0;
    // Windows lets a program take the foreground only while it is the foreground program, got
    // the last input, or was allowed by one that is; any other activation leaves the keyboard
    // where it was. These calls are refused when we have no such right ourselves.
    //
    // Moves the focus to a window of ours that is never shown, where it waits for the next
    // window to be activated.
    virtual bool HoldFocus() noexcept = 0;
    // Whether the window is the one HoldFocus moves the focus to.
    virtual bool IsFocusHolder(WindowHandle window) noexcept = 0;
    // Lets the window's program take the foreground, until the user's next input; returns at
    // once.
    virtual bool AllowForeground(WindowHandle window) noexcept = 0;
    // Makes the window the foreground one; does not wait on its program.
    virtual bool SetForegroundWindow(WindowHandle window) noexcept = 0;
    // The message number every program of the session gets for the name; 0 on failure.
    virtual std::uint32_t RegisterMessage(std::u16string_view name) noexcept = 0;
    // Posts the message to every top-level window, hidden ones too, and returns at once.
    virtual bool BroadcastMessage(std::uint32_t message) noexcept = 0;
    // Posts the message to the window and returns at once.
    virtual bool PostToWindow(WindowHandle window, std::uint32_t message,
                              std::intptr_t lParam) noexcept = 0;
    // Above every window that is not topmost; keeps place and size.
    virtual bool SetTopmost(WindowHandle window) noexcept = 0;
};

}  // namespace ombrel
