#pragma once

#include <windows.h>

#include <string>

namespace ombrel::win32 {

// The AppUserModelID in the window's property store (a store app's, or one its program set);
// empty where it has none. The store is the window's properties, read without a message to the
// window's program, so a program that hangs does not hold us up.
std::wstring AppIdOfWindow(HWND window);

}  // namespace ombrel::win32
