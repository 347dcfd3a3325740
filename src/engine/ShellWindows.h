#pragma once

#include <string_view>
#include <vector>

#include "platform/WindowHandle.h"

namespace ombrel {

// The window classes they are found by.
inline constexpr std::u16string_view kDesktopIconsClass = u"Progman";
inline constexpr std::u16string_view kTaskbarClass = u"Shell_TrayWnd";
// The taskbar of each further screen.
inline constexpr std::u16string_view kSecondaryTaskbarClass = u"Shell_SecondaryTrayWnd";
// The view that holds the icons: a child of Progman, or of a WorkerW once the shell has moved
// it there (a wallpaper slide show, a peek at the desktop).
inline constexpr std::u16string_view kIconViewClass = u"SHELLDLL_DefView";
inline constexpr std::u16string_view kWorkerClass = u"WorkerW";

// The top-level window that holds the desktop icons and the taskbars, as last found, and
// whether we last showed them. The flags start true whatever the windows' real state.
struct ShellWindows {
    WindowHandle hProgMan = WindowHandle::None;
    bool DesktopIconsShown = true;
    WindowHandle hTrayWnd = WindowHandle::None;
    // The other screens' taskbars, which go and come back with the main one.
    std::vector<WindowHandle> secondaryTaskbars;
    bool TaskbarShown = true;

    std::vector<WindowHandle> Taskbars() const {
        std::vector<WindowHandle> all{hTrayWnd};
        all.insert(all.end(), secondaryTaskbars.begin(), secondaryTaskbars.end());
        return all;
    }
};

}  // namespace ombrel
