#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/Command.h"
#include "platform/WindowHandle.h"

namespace ombrel {

// One thing that changed, for the programs that follow Ombrel (`Ombrel.exe watch`).
struct Change {
    enum class Kind {
        Switch,     // desktop: the one entered
        Send,       // windows went to desktop, which stays out of sight
        Move,       // windows went to desktop, and the switch there follows
        Pin,        // windows stay on every desktop
        Unpin,      // windows belong to desktop again
        Open,       // windows appeared on desktop
        Close,      // windows of desktop are gone
        Icons,      // shown: the desktop icons are shown now
        Taskbar,    // shown: the taskbar is shown now
        Bar,        // shown: the bar is shown now
        Pause,      // shown: the keys are paused now
        Settings,   // the settings file was read again and is in force
        Attention,  // a window of desktop asks for attention; title is its title
    };
    Kind kind;
    int desktop = -1;  // an index; -1 where no desktop is concerned
    std::vector<WindowHandle> windows;
    bool shown = false;
    std::u16string title;
};

using ChangeListener = std::function<void(const Change&)>;

// A window as the state document shows it.
struct WindowState {
    WindowHandle handle{};
    std::u16string program;
    std::u16string title;
    bool pinned = false;
    // When it was last in front, as a count that only grows; 0: not since Ombrel started.
    std::uint64_t lastActive = 0;
};

// What `list --json` shows: each desktop with its name and windows (pinned ones once, with the
// current desktop), and what is hidden of the shell and the bar.
struct DesktopState {
    int current = 0;
    std::array<std::u16string, kDesktopCount> names;
    std::array<std::vector<WindowState>, kDesktopCount> windows;
    bool icons = true;
    bool taskbar = true;
    bool bar = true;
    bool paused = false;
};

}  // namespace ombrel
