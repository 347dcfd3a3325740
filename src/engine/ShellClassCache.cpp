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
    const bool shell =
        known != known_.end() ? known->second : IsShellClass(windows_.ClassName(window));
    seen_[window] = shell;
    return shell;
}

void ShellClassCache::Refreshed() {
    known_.swap(seen_);
    seen_.clear();
}

}  // namespace ombrel
