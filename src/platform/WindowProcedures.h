#pragma once

#include <cstdint>
#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

inline constexpr std::uint32_t kWmHotkey = 0x0312;
// Posted by the bar to itself: the orderly exit, once the message that asked for it is answered.
// Its lParam carries a value drawn at start that no other program can know: programs that post
// private messages to every window exist, and none of them may end Ombrel.
inline constexpr std::uint32_t kWmExitLater = 0x8001;  // WM_APP + 1

// A window procedure as an opaque value: what SetWindowLongPtr returns and takes.
enum class WindowProcedure : std::uintptr_t { None = 0 };

struct WindowMessage {
    WindowHandle window{};
    std::uint32_t message{};
    std::uintptr_t wParam{};
    std::intptr_t lParam{};
};

// Receives the messages of a window whose procedure was replaced by the hook procedure.
class MessageHandler {
  public:
    MessageHandler() = default;
    MessageHandler(const MessageHandler&) = delete;
    MessageHandler& operator=(const MessageHandler&) = delete;
    virtual std::intptr_t HandleMessage(const WindowMessage& message) noexcept = 0;

  protected:
    ~MessageHandler() = default;
};

// Subclassing a window by replacing its procedure, and calling the one it had.
class WindowProcedures {
  public:
    WindowProcedures() = default;
    WindowProcedures(const WindowProcedures&) = delete;
    WindowProcedures& operator=(const WindowProcedures&) = delete;
    virtual ~WindowProcedures() = default;

    // The procedure that hands every message to handler; there is one per process.
    virtual WindowProcedure HookProcedure(MessageHandler& handler) noexcept = 0;
    // Installs procedure and returns the one the window had.
    virtual WindowProcedure SetWindowProcedure(WindowHandle window,
                                               WindowProcedure procedure) noexcept = 0;
    virtual std::intptr_t CallWindowProcedure(WindowProcedure procedure,
                                              const WindowMessage& message) noexcept = 0;
    // Lets the message reach the window from programs with fewer rights than ours (the shell,
    // a second start from an ordinary prompt) when we run as administrator.
    virtual void AllowFromAnyProgram(WindowHandle window, std::uint32_t message) noexcept = 0;
    // The window hears the shell's news (the registered message "SHELLHOOK"), or no longer.
    // False where the system does not tell.
    virtual bool ListenToShell(WindowHandle window, bool listen) noexcept = 0;
};

}  // namespace ombrel
