#pragma once

#include <cstdint>
#include <string_view>

#include "platform/WindowEvents.h"
#include "platform/WindowHandle.h"

namespace ombrel {

inline constexpr std::uint32_t kWmHotkey = 0x0312;
inline constexpr std::uint32_t kWmTimer = 0x0113;

struct WindowMessage {
    WindowHandle window{};
    std::uint32_t message{};
    std::uintptr_t wParam{};
    std::intptr_t lParam{};
};

// Receives the messages of the program's own window.
class MessageHandler {
  public:
    MessageHandler() = default;
    MessageHandler(const MessageHandler&) = delete;
    MessageHandler& operator=(const MessageHandler&) = delete;
    virtual std::intptr_t HandleMessage(const WindowMessage& message) noexcept = 0;

  protected:
    ~MessageHandler() = default;
};

// The program's own window, which hears what concerns the whole program.
class WindowProcedures {
  public:
    WindowProcedures() = default;
    WindowProcedures(const WindowProcedures&) = delete;
    WindowProcedures& operator=(const WindowProcedures&) = delete;
    virtual ~WindowProcedures() = default;

    // A hidden top-level window of this program whose every message goes to handler; None when
    // it could not be made. Top-level, not message-only: only top-level windows hear what is
    // posted to every window.
    virtual WindowHandle CreateProgramWindow(MessageHandler& handler) noexcept = 0;
    virtual void DestroyProgramWindow(WindowHandle window) noexcept = 0;
    // What the system does with a message the handler does not take.
    virtual std::intptr_t DefaultProcedure(const WindowMessage& message) noexcept = 0;
    // Lets the message reach the window from programs with fewer rights than ours (the shell,
    // a second start from an ordinary prompt) when we run as administrator.
    virtual void AllowFromAnyProgram(WindowHandle window, std::uint32_t message) noexcept = 0;
    // The window hears the shell's news (the registered message "SHELLHOOK"), or no longer.
    // False where the system does not tell.
    virtual bool ListenToShell(WindowHandle window, bool listen) noexcept = 0;
    // Other programs' top-level windows, as they change, reach the listener (null: none from
    // now on). False where the system would not tell.
    virtual bool ListenToWindowEvents(WindowEventListener* listener) noexcept = 0;
    // The window gets the timer message with the id every so many milliseconds until stopped.
    virtual bool StartTimer(WindowHandle window, std::uintptr_t id,
                            std::uint32_t milliseconds) noexcept = 0;
    virtual void StopTimer(WindowHandle window, std::uintptr_t id) noexcept = 0;
};

}  // namespace ombrel
