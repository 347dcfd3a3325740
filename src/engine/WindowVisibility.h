#pragma once

#include "platform/WindowSystem.h"

namespace ombrel {

// Hides and shows the windows the engine manages. Another program's window is never waited
// on, so a hung program cannot freeze the switcher; our own windows change at once.
class WindowVisibility {
  public:
    explicit WindowVisibility(WindowSystem& windows) : windows_(windows) {}

    void Hide(WindowHandle window) { Apply(window, ShowCommand::Hide); }
    void Show(WindowHandle window) { Apply(window, ShowCommand::Show); }

  private:
    void Apply(WindowHandle window, ShowCommand command);

    WindowSystem& windows_;
};

}  // namespace ombrel
