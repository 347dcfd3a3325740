#pragma once

#include "engine/DesktopEngine.h"
#include "platform/WindowProcedures.h"

namespace ombrel {

// Sits in front of the main window's procedure: runs the command of every hotkey, then hands
// each message on unchanged.
class MainWindowHook final : public MessageHandler {
  public:
    MainWindowHook(WindowProcedures& procedures, DesktopEngine& engine)
        : procedures_(procedures), engine_(engine) {}

    void Install(WindowHandle hWnd);
    void Remove(WindowHandle hWnd);
    WindowProcedure OldWindowProc() const { return OldWindowProc_; }

    std::intptr_t WindowProc(const WindowMessage& message) noexcept;
    std::intptr_t HandleMessage(const WindowMessage& message) noexcept override {
        return WindowProc(message);
    }

  private:
    WindowProcedures& procedures_;
    DesktopEngine& engine_;
    WindowProcedure OldWindowProc_ = WindowProcedure::None;
};

}  // namespace ombrel
