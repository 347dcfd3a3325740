#pragma once

#include <vector>

#include "ui/forms/FormRuntime.h"

namespace ombrel::win32 {

// The work area of every screen in the twips that place forms, the main screen's marked.
std::vector<ScreenArea> WorkAreasTwips();

}  // namespace ombrel::win32
