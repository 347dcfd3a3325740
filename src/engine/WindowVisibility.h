#pragma once

#include <set>
#include <utility>

#include "platform/WindowSystem.h"

namespace ombrel {

// Hides and shows the windows the engine manages, and remembers which of them it has hidden
// and not shown again. Another program's window is never waited on, so a hung program cannot
// freeze the switcher; our own windows change at once.
class WindowVisibility {
  public:
    explicit WindowVisibility(WindowSystem& windows) : windows_(windows) {}

    void Hide(WindowHandle window);
    void Show(WindowHandle window);

    const std::set<WindowHandle>& HiddenByUs() const { return hidden_; }
    // True once after the hidden windows changed.
    bool TakeChanged() { return std::exchange(changed_, false); }

  private:
    void Apply(WindowHandle window, ShowCommand command);

    WindowSystem& windows_;
    std::set<WindowHandle> hidden_;
    bool changed_ = false;
};

}  // namespace ombrel
