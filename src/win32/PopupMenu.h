#pragma once

#include <windows.h>

#include <span>

#include "ui/forms/FormRuntime.h"
#include "win32/WindowIcon.h"

namespace ombrel::win32 {

// A menu of the items at the pointer (or at the place given), for the owner window, at the scale
// of the owner's screen; an item may show the icon of a window's program. Returns the index of
// the item chosen, or -1.
int ShowPopupMenu(HWND owner, std::span<const MenuItem> items, ProgramIcons& programIcons,
                  const POINT* place = nullptr) noexcept;

}  // namespace ombrel::win32
