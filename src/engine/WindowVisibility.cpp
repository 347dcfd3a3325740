#include "engine/WindowVisibility.h"

namespace ombrel {

void WindowVisibility::Apply(WindowHandle window, ShowCommand command) {
    // A stale handle belongs to no thread and takes the posting path, where it fails quietly.
    if (windows_.IsOwnThreadWindow(window)) {
        windows_.ShowWindow(window, command);
    } else {
        windows_.ShowWindowAsync(window, command);
    }
}

}  // namespace ombrel
