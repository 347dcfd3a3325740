#pragma once

#include <windows.h>

#include <string>

#include "DesktopDriver.h"

namespace ombrel::win32::testing {

using driver::WaitFor;

// A Linux path as the Wine prefix sees it, on drive Z:.
inline std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

}  // namespace ombrel::win32::testing
