#pragma once

#include <cstdint>

namespace ombrel {

// A top-level window as the core sees it; only src/win32 turns it into an HWND.
enum class WindowHandle : std::uintptr_t { None = 0 };

}  // namespace ombrel
