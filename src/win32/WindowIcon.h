#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "win32/SystemLibrary.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The icons of program files, each file read once: a program on a slow drive would otherwise
// hold the bar up at every opening of a menu.
class ProgramIcons {
  public:
    // The file's small or large icon (the other where it has only one); none where it has none.
    HICON Of(const std::wstring& path, bool small);

  private:
    struct Icons {
        UniqueIcon large;
        UniqueIcon small;
    };
    std::map<std::wstring, Icons> read_;
    SystemLibrary shell_{L"shell32.dll"};  // at the first menu that shows a program's icon
};

// The icon of the window's program as a menu item draws it: a size x size 32-bit DIB with
// premultiplied alpha. Taken from the window's class, else from the program's file, never by a
// message to the window, so a hung program cannot hold the menu up; empty where there is none.
UniqueBitmap WindowIconBitmap(HWND window, int size, ProgramIcons& programs) noexcept;

}  // namespace ombrel::win32
