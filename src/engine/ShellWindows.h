#pragma once

#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

// The window classes they are found by.
inline constexpr std::u16string_view kDesktopIconsClass = u"Progman";
inline constexpr std::u16string_view kTaskbarClass = u"Shell_TrayWnd";
// The view that holds the icons: a child of Progman, or of a WorkerW once the shell has moved
// it there (a wallpaper slide show, a peek at the desktop).
inline constexpr std::u16string_view kIconViewClass = u"SHELLDLL_DefView";
inline constexpr std::u16string_view kWorkerClass = u"WorkerW";

// The top-level window that holds the desktop icons and the taskbar, as last found, and
// whether we last showed them. The flags start true whatever the windows' real state.
struct ShellWindows {
    WindowHandle hProgMan = WindowHandle::None;
    bool DesktopIconsShown = true;
    WindowHandle hTrayWnd = WindowHandle::None;
    bool TaskbarShown = true;
};

}  // namespace ombrel
