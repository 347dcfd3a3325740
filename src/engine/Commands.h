#pragma once

#include <cstdint>

namespace ombrel {

inline constexpr int kDesktopCount = 9;

// The command codes of SwitchDesktop; each equals the id of the hotkey that sends it.
enum CommandCode : std::int16_t {
    kFirstSwitchCode = 0,  // 0..8: switch to desktop index code
    kToggleDesktopIcons = 9,
    kToggleTaskbar = 10,
    kToggleBar = 11,
    kFirstSendCode = 12,  // 12..20: send the foreground window to desktop index code-12
    kLastSendCode = kFirstSendCode + kDesktopCount - 1,
};

constexpr bool IsDesktopIndex(int index) {
    return index >= 0 && index < kDesktopCount;
}

}  // namespace ombrel
