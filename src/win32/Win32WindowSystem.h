#pragma once

#include <windows.h>

#include <dwmapi.h>

#include <unordered_map>

#include "platform/WindowSystem.h"
#include "win32/SystemLibrary.h"
#include "win32/UniqueHandle.h"
#include "win32/WindowAppId.h"

namespace ombrel::win32 {

class Win32WindowSystem final : public WindowSystem {
  public:
    WindowHandle FindWindowByClass(std::u16string_view className) noexcept override;
    WindowHandle FindChildByClass(WindowHandle parent,
                                  std::u16string_view className) noexcept override;
    std::uint32_t LastError() noexcept override;
    std::u16string WindowTitle(WindowHandle window) override;
    std::u16string ProcessNameOf(WindowHandle window) override;
    std::u16string ProgramPathOf(WindowHandle window) override;
    std::u16string AppIdOf(WindowHandle window) override;
    bool PostToWindow(WindowHandle window, std::uint32_t message,
                      std::intptr_t lParam) noexcept override;
    bool ShowWindow(WindowHandle window, ShowCommand command) noexcept override;
    bool ShowWindowAsync(WindowHandle window, ShowCommand command) noexcept override;
    bool Probe(WindowHandle window) noexcept override;
    bool ProbeAnswered(WindowHandle window) noexcept override;
    bool IsHung(WindowHandle window) noexcept override;
    bool IsWindowVisible(WindowHandle window) noexcept override;
    bool IsWindowCloaked(WindowHandle window) noexcept override;
    bool IsMinimized(WindowHandle window) noexcept override;
    bool IsOwnThreadWindow(WindowHandle window) noexcept override;
    std::uint32_t ProcessIdOf(WindowHandle window) noexcept override;
    std::u16string ClassName(WindowHandle window) override;
    bool EnumWindows(const std::function<bool(WindowHandle)>& visit) override;
    WindowHandle RootOwner(WindowHandle window) noexcept override;
    WindowStyles StylesOf(WindowHandle window) noexcept override;
    WindowHandle GetForegroundWindow() noexcept override;
    std::uint32_t RegisterMessage(std::u16string_view name) noexcept override;
    bool BroadcastMessage(std::uint32_t message) noexcept override;
    bool HoldFocus() noexcept override;
    bool IsFocusHolder(WindowHandle window) noexcept override;
    bool CoversItsScreen(WindowHandle window) noexcept override;
    bool AllowForeground(WindowHandle window) noexcept override;
    bool SetForegroundWindow(WindowHandle window) noexcept override;
    bool SetTopmost(WindowHandle window) noexcept override;

  private:
    static void CALLBACK ProbeReturned(HWND window, UINT message, ULONG_PTR self,
                                       LRESULT result) noexcept;

    // Never shown; made at the first switch that needs it, and again should it be gone.
    UniqueWindow focusHolder_;
    // Per window, the probes sent and not answered yet. Answers come on our own thread, while it
    // takes its messages, so nothing here needs a lock.
    std::unordered_map<HWND, int> probesOut_;
    WindowAppIds appIds_;
    // The compositor's library, at the first refresh rather than at the guard's start too.
    SystemLibrary compositor_{L"dwmapi.dll"};
    decltype(::DwmGetWindowAttribute)* getWindowAttribute_ = nullptr;
};

}  // namespace ombrel::win32
