#pragma once

#include <cstdint>
#include <string_view>

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

// The current desktop is kept as decimal text ("0" to "8") in the main window's Tag. Only
// start-up and a switch write it, so anything else reads as desktop 1.
constexpr int DesktopIndexFromTag(std::u16string_view tag) {
    int value = 0;
    for (char16_t digit : tag) {
        if (digit < u'0' || digit > u'9' || value >= kDesktopCount) {
            return 0;
        }
        value = value * 10 + (digit - u'0');
    }
    return IsDesktopIndex(value) ? value : 0;
}

}  // namespace ombrel
