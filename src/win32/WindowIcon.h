#pragma once

#include <windows.h>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The icon of the window's program as a menu item draws it: a size x size 32-bit DIB with
// premultiplied alpha. Taken from the window's class, else from the program's file, never by a
// message to the window, so a hung program cannot hold the menu up; empty where there is none.
UniqueBitmap WindowIconBitmap(HWND window, int size) noexcept;

}  // namespace ombrel::win32
