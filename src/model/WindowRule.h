#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ombrel {

// Where a rule puts a window Ombrel sees for the first time.
struct WindowPlacement {
    enum class Kind { Desktop, Pin, Ignore };
    Kind kind = Kind::Desktop;
    int desktop = 0;  // the desktop's index, for Kind::Desktop
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// What Ombrel does when a program brings up its window that lives on another desktop.
enum class OnActivate {
    Join,    // the window belongs to the desktop where it appeared
    Follow,  // Ombrel switches to the window's desktop, the window in front
    Mark,    // hidden again at once, its desktop marked as wanting attention
    Smart,   // follow when the window took the foreground (the user's doing), mark otherwise
};

// A rule matches a window when every pattern it has matches: the file name of the window's
// program, its class, its title. It has at least one, and a placement, an onActivate or both.
struct WindowRule {
    std::optional<std::u16string> exe;
    std::optional<std::u16string> className;
    std::optional<std::u16string> title;
    std::optional<WindowPlacement> placement;
    std::optional<OnActivate> onActivate;
    friend bool operator==(const WindowRule&, const WindowRule&) = default;
};
using WindowRules = std::vector<WindowRule>;

// A title is matched on its first this many UTF-16 units: a program may give its window a
// title of any length, and matching grows with the title's length times the pattern's.
inline constexpr std::size_t kMatchedTitleLength = 256;

}  // namespace ombrel
