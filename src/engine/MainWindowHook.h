#pragma once

#include <cstdint>
#include <string_view>

#include "engine/DesktopEngine.h"
#include "platform/WindowProcedures.h"

namespace ombrel {

// What a second start of the program posts to every window, so that the running instance shows
// its bar: the only way back to a bar hidden while another program holds Ctrl+F12.
inline constexpr std::u16string_view kShowBarMessageName = u"Ombrel.ShowBar.5B0C7A0E";

// Sits in front of the main window's procedure: runs the command of every hotkey, shows the bar
// when a second start asks for it, then hands each message on unchanged.
class MainWindowHook final : public MessageHandler {
  public:
    MainWindowHook(WindowProcedures& procedures, DesktopEngine& engine)
        : procedures_(procedures), engine_(engine) {}

    // showBarMessage: the registered number of kShowBarMessageName (0: none).
    void Install(WindowHandle hWnd, std::uint32_t showBarMessage);
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
    std::uint32_t showBarMessage_ = 0;
};

}  // namespace ombrel
