#pragma once

#include <windows.h>

#include <string>

namespace ombrel::driver {

// Saves a part of the screen as a 24-bit BMP file.
bool SaveScreenBmp(const std::wstring& path, const RECT& area);

}  // namespace ombrel::driver
