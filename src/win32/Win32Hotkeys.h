#pragma once

#include "platform/Hotkeys.h"

namespace ombrel::win32 {

class Win32Hotkeys final : public Hotkeys {
  public:
    std::uint32_t RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                 std::uint32_t virtualKey) noexcept override;
    std::uint32_t UnregisterHotKey(WindowHandle window, int id) noexcept override;
};

}  // namespace ombrel::win32
