#pragma once

#include <cstdint>

#include "platform/SystemError.h"
#include "platform/WindowHandle.h"

namespace ombrel {

enum HotkeyModifier : std::uint32_t {
    ModAlt = 0x1,
    ModControl = 0x2,
    ModShift = 0x4,
    ModWin = 0x8,
    // Not a key: a key held down, which repeats some thirty times a second, is one press.
    ModNoRepeat = 0x4000
};

inline constexpr std::uint32_t kErrorHotkeyAlreadyRegistered = 1409;

// System-wide key combinations that post WM_HOTKEY to a window.
class Hotkeys {
  public:
    Hotkeys() = default;
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;
    virtual ~Hotkeys() = default;

    virtual SystemError RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                       std::uint32_t virtualKey) noexcept = 0;
    virtual SystemError UnregisterHotKey(WindowHandle window, int id) noexcept = 0;
};

}  // namespace ombrel
