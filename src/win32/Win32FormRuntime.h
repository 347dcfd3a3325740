#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "ui/forms/FormRuntime.h"
#include "win32/FormWindow.h"
#include "win32/MessageLoopWaits.h"
#include "win32/WindowIcon.h"

namespace ombrel::win32 {

class SessionOwnerWindow;

// Native windows for the forms, and the message loop that serves them.
class Win32FormRuntime final : public FormRuntime {
  public:
    explicit Win32FormRuntime(HINSTANCE instance);
    Win32FormRuntime(const Win32FormRuntime&) = delete;
    Win32FormRuntime& operator=(const Win32FormRuntime&) = delete;
    ~Win32FormRuntime() override;

    // The form whose unload ends the program, also when the user logs off.
    void SetMainForm(Form& form) { mainForm_ = &form; }
    // Runs until the process ends; the waits' calls run between the messages.
    int RunMessageLoop(MessageLoopWaits& waits);
    // The session ends: the main form unloads, which shows every window we hold.
    void EndSession() noexcept;
    // The system asks whether the session may end: the main form hears of it.
    void SessionEnding() noexcept;

    WindowHandle CreateFormWindow(Form& form) override;
    void DestroyFormWindow(Form& form) noexcept override;
    void ShowFormWindow(Form& form) noexcept override;
    void HideFormWindow(Form& form) noexcept override;
    bool IsFormWindowVisible(const Form& form) noexcept override;
    void FormChanged(Form& form, FormChange change) noexcept override;
    void ControlChanged(Form& form, Control& control, ControlChange change) noexcept override;
    float OuterWidthTwips(const Form& form) noexcept override;
    std::vector<ScreenArea> WorkAreasTwips() override;
    using FormRuntime::ShowMenu;
    int ShowMenu(Form& form, std::span<const MenuItem> items) noexcept override;
    void WatchWindowDrops(Form& form) noexcept override;

  private:
    FormWindow* Find(const Form& form) const;
    bool IsOurForm(HWND window) const;

    HINSTANCE instance_;
    std::unique_ptr<SessionOwnerWindow> owner_;
    Form* mainForm_ = nullptr;
    std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
    // The system's word that the user starts or ends moving or sizing another program's window.
    UniqueWinEventHook moveSizeHook_;
    ProgramIcons programIcons_;  // for the menus of a desktop's windows
};

}  // namespace ombrel::win32
