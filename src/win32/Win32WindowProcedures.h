#pragma once

#include <windows.h>

#include <vector>

#include "platform/WindowProcedures.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The program's window: a class of its own, whose procedure finds the window's handler in the
// window itself, put there at its creation.
class Win32WindowProcedures final : public WindowProcedures {
  public:
    WindowHandle CreateProgramWindow(MessageHandler& handler) noexcept override;
    void DestroyProgramWindow(WindowHandle window) noexcept override;
    std::intptr_t DefaultProcedure(const WindowMessage& message) noexcept override;
    void AllowFromAnyProgram(WindowHandle window, std::uint32_t message) noexcept override;
    bool ListenToShell(WindowHandle window, bool listen) noexcept override;
    bool ListenToWindowEvents(WindowEventListener* listener) noexcept override;
    bool StartTimer(WindowHandle window, std::uintptr_t id,
                    std::uint32_t milliseconds) noexcept override;
    void StopTimer(WindowHandle window, std::uintptr_t id) noexcept override;

  private:
    std::vector<UniqueWinEventHook> eventHooks_;
};

}  // namespace ombrel::win32
