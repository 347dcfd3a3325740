#pragma once

#include <windows.h>

#include "win32/NativeWindow.h"

namespace ombrel::win32 {

class Win32FormRuntime;

// Owns the forms' windows so that none of them gets a taskbar button; never shown. It hears
// the end of the session and tells the runtime.
class SessionOwnerWindow final : public NativeWindow {
  public:
    SessionOwnerWindow(HINSTANCE instance, Win32FormRuntime& runtime);
    SessionOwnerWindow(const SessionOwnerWindow&) = delete;
    SessionOwnerWindow& operator=(const SessionOwnerWindow&) = delete;
    ~SessionOwnerWindow();

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    Win32FormRuntime& runtime_;
};

}  // namespace ombrel::win32
