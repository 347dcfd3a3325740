#pragma once

#include "platform/Hotkeys.h"

namespace ombrel::win32 {

class Win32Hotkeys final : public Hotkeys {
  public:
    SystemError RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                               std::uint32_t virtualKey) noexcept override;
    SystemError UnregisterHotKey(WindowHandle window, int id) noexcept override;
};

}  // namespace ombrel::win32
