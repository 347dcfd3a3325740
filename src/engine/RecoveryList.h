#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/Registry.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// The windows this program has hidden and not shown again, kept in a volatile per-user key
// (HKEY_CURRENT_USER\Software\Kelvora\Recovery) as they change. If the program dies without its
// shut-down, the next start shows them again: a killed or crashed switcher loses no window.
// The key ends with the log-on session, in which alone the handles mean something.
class RecoveryList {
  public:
    struct Entry {
        WindowHandle window;
        std::uint32_t processId;  // guards against a handle that now names another window
    };

    RecoveryList(Registry& registry, WindowSystem& windows)
        : registry_(registry), windows_(windows) {}

    // One registry write for the whole list: each window with the process it belonged to.
    void Save(const std::map<WindowHandle, std::uint32_t>& hidden);
    // Removes the list; after an orderly shut-down nothing is left to recover.
    void Remove();
    // Shows every listed window that still exists, is the same window and is hidden, then the
    // desktop icons and the taskbar, and removes the list. A list that cannot be read is
    // dropped. Returns the windows shown.
    std::size_t WorkOff();
    // What the list holds; empty when there is none or it cannot be read.
    std::vector<Entry> Read();

  private:
    Registry& registry_;
    WindowSystem& windows_;
};

}  // namespace ombrel
