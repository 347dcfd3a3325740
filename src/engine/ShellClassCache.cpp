#include "engine/ShellClassCache.h"

#include <array>
#include <string>
#include <string_view>

namespace ombrel {
namespace {

// Parts of the shell that are visible top-level windows on current Windows; hiding them
// would take a second screen's taskbar or the desktop itself away on other desktops.
constexpr std::array<std::u16string_view, 2> kShellClasses{u"Shell_SecondaryTrayWnd", u"WorkerW"};

bool IsShellClass(std::u16string_view className) {
    for (std::u16string_view shellClass : kShellClasses) {
        if (className == shellClass) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool ShellClassCache::IsShellWindow(WindowHandle window) {
    const auto known = known_.find(window);
    if (known != known_.end()) {
        known->second.lastSeen = refresh_;
        return known->second.shell;
    }
    const bool shell = IsShellClass(windows_.ClassName(window));
    known_.emplace(window, Answer{shell, refresh_});
    return shell;
}

void ShellClassCache::Refreshed() {
    std::erase_if(known_, [this](const auto& entry) { return entry.second.lastSeen != refresh_; });
    ++refresh_;
}

}  // namespace ombrel
