#pragma once

#include <windows.h>

#include <string>

#include "win32/SystemLibrary.h"

namespace ombrel::win32 {

// The AppUserModelID in a window's property store (a store app's, or one its program set);
// empty where it has none. The store is the window's properties, read without a message to the
// window's program, so a program that hangs does not hold us up. The shell's and COM's libraries
// come at the first window asked about: only remembering windows asks.
class WindowAppIds {
  public:
    WindowAppIds() = default;
    WindowAppIds(const WindowAppIds&) = delete;
    WindowAppIds& operator=(const WindowAppIds&) = delete;

    std::wstring Of(HWND window);

  private:
    SystemLibrary shell_{L"shell32.dll"};
    SystemLibrary com_{L"ole32.dll"};
};

}  // namespace ombrel::win32
