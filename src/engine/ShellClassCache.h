#pragma once

#include <unordered_map>

#include "platform/WindowSystem.h"

namespace ombrel {

// Whether a window belongs to the parts of the shell that must never be hidden, by its class.
// A window's class never changes in its life, and asking for it is a call into the window
// manager for every window at every refresh, so the answer is kept for as long as the window
// is still seen: what a refresh did not ask about is forgotten at its end.
class ShellClassCache {
  public:
    explicit ShellClassCache(WindowSystem& windows) : windows_(windows) {}

    bool IsShellWindow(WindowHandle window);
    // A refresh has passed over every window.
    void Refreshed();

  private:
    struct Answer {
        bool shell;
        unsigned lastSeen;  // the refresh that last asked
    };

    WindowSystem& windows_;
    std::unordered_map<WindowHandle, Answer> known_;
    unsigned refresh_ = 0;
};

}  // namespace ombrel
