#pragma once

#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

// The window classes they are found by.
inline constexpr std::u16string_view kDesktopIconsClass = u"ProgMan";
inline constexpr std::u16string_view kTaskbarClass = u"Shell_TrayWnd";

// The shell's desktop-icon window and taskbar, found once at start-up, and whether we last
// showed them. The flags start true whatever the windows' real state.
struct ShellWindows {
    WindowHandle hProgMan = WindowHandle::None;
    bool DesktopIconsShown = true;
    WindowHandle hTrayWnd = WindowHandle::None;
    bool TaskbarShown = true;
};

}  // namespace ombrel
