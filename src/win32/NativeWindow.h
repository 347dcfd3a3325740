#pragma once

#include <windows.h>

namespace ombrel::win32 {

// A window whose messages become calls on the object that made it: the object is stored with
// the window at WM_NCCREATE, and once CreateWindowExW has returned the handle, every message
// goes to HandleMessage; earlier ones take the default path. Nothing thrown there crosses the
// window procedure.
class NativeWindow {
  public:
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    HWND Handle() const { return window_; }

  protected:
    NativeWindow() = default;
    ~NativeWindow() = default;

    // Registers a class whose windows reach their objects; the procedure is filled in.
    static void RegisterWindowClass(WNDCLASSEXW windowClass);
    // Creates the window for this object and keeps its handle.
    HWND CreateNativeWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                            DWORD style, HWND owner, HINSTANCE instance);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND window_ = nullptr;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ombrel::win32
