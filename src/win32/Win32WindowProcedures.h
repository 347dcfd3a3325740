#pragma once

#include <windows.h>

#include "platform/WindowProcedures.h"

namespace ombrel::win32 {

// Subclassing through one static thunk, which finds the hook's handler through the window it
// serves: the handler is kept as a property of that window while the hook is installed.
class Win32WindowProcedures final : public WindowProcedures {
  public:
    WindowProcedure HookProcedure(MessageHandler& handler) noexcept override;
    WindowProcedure SetWindowProcedure(WindowHandle window,
                                       WindowProcedure procedure) noexcept override;
    std::intptr_t CallWindowProcedure(WindowProcedure procedure,
                                      const WindowMessage& message) noexcept override;
    void AllowFromAnyProgram(WindowHandle window, std::uint32_t message) noexcept override;
    bool ListenToShell(WindowHandle window, bool listen) noexcept override;

  private:
    // The handler of the hook procedure handed out last, for the window it is installed on.
    MessageHandler* handler_ = nullptr;
};

}  // namespace ombrel::win32
