#pragma once

#include "platform/Hotkeys.h"
#include "platform/WindowProcedures.h"

namespace ombrel::win32 {

class Win32Hotkeys final : public Hotkeys {
  public:
    std::uint32_t RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                 std::uint32_t virtualKey) noexcept override;
    std::uint32_t UnregisterHotKey(WindowHandle window, int id) noexcept override;
};

// Subclassing through one static thunk: the hook's handler is the one global pointer that a
// window procedure needs to reach the program.
class Win32WindowProcedures final : public WindowProcedures {
  public:
    WindowProcedure HookProcedure(MessageHandler& handler) noexcept override;
    WindowProcedure SetWindowProcedure(WindowHandle window,
                                       WindowProcedure procedure) noexcept override;
    std::intptr_t CallWindowProcedure(WindowProcedure procedure,
                                      const WindowMessage& message) noexcept override;
};

}  // namespace ombrel::win32
