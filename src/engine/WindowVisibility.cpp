#include "engine/WindowVisibility.h"

namespace ombrel {

void WindowVisibility::Hide(WindowHandle window) {
    if (window != WindowHandle::None) {
        changed_ = hidden_.insert(window).second || changed_;
    }
    Apply(window, ShowCommand::Hide);
}

void WindowVisibility::Show(WindowHandle window) {
    changed_ = hidden_.erase(window) > 0 || changed_;
    Apply(window, ShowCommand::Show);
}

void WindowVisibility::Apply(WindowHandle window, ShowCommand command) {
    // A stale handle belongs to no thread and takes the posting path, where it fails quietly.
    if (windows_.IsOwnThreadWindow(window)) {
        windows_.ShowWindow(window, command);
    } else {
        windows_.ShowWindowAsync(window, command);
    }
}

}  // namespace ombrel
