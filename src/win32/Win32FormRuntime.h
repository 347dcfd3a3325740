#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/FormRuntime.h"
#include "win32/FormWindow.h"

namespace ombrel::win32 {

// Native windows for the forms, the message loop that serves them, and the facts about this
// process that the program asks for.
class Win32FormRuntime final : public FormRuntime {
  public:
    Win32FormRuntime(HINSTANCE instance, bool previousInstance);
    Win32FormRuntime(const Win32FormRuntime&) = delete;
    Win32FormRuntime& operator=(const Win32FormRuntime&) = delete;
    ~Win32FormRuntime() override;

    // The form whose unload ends the program, also when the user logs off.
    void SetMainForm(Form& form) { mainForm_ = &form; }
    // Runs until the process ends.
    int RunMessageLoop();

    WindowHandle CreateFormWindow(Form& form) override;
    void DestroyFormWindow(Form& form) noexcept override;
    void ShowFormWindow(Form& form) noexcept override;
    void HideFormWindow(Form& form) noexcept override;
    bool IsFormWindowVisible(const Form& form) noexcept override;
    void FormChanged(Form& form, FormChange change) noexcept override;
    void ControlChanged(Form& form, Control& control, ControlChange change) noexcept override;
    float OuterWidthTwips(const Form& form) noexcept override;
    float ScreenWidthTwips() noexcept override;
    bool PreviousInstance() noexcept override { return previousInstance_; }
    std::u16string ProgramDirectory() override;
    std::u16string ProgramName() override;
    void EndProcess() noexcept override;

  private:
    static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    FormWindow* Find(const Form& form) const;
    bool IsOurForm(HWND window) const;
    void EndSession() noexcept;
    std::wstring ModulePath() const;

    HINSTANCE instance_;
    bool previousInstance_;
    // Owns the forms' windows so that none of them gets a taskbar button; never shown.
    HWND owner_ = nullptr;
    Form* mainForm_ = nullptr;
    std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
};

}  // namespace ombrel::win32
