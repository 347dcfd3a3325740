#include "engine/WindowVisibility.h"

#include <iterator>

namespace ombrel {

void WindowVisibility::Hide(WindowHandle window) {
    if (window != WindowHandle::None) {
        changed_ = hidden_.insert(window).second || changed_;
    }
    Apply(window, ShowCommand::Hide);
}

void WindowVisibility::Show(WindowHandle window, Focus focus) {
    changed_ = hidden_.erase(window) > 0 || changed_;
    Apply(window, focus == Focus::Take ? ShowCommand::Show : ShowCommand::ShowNoActivate);
}

void WindowVisibility::HideAll(std::span<const WindowHandle> topFirst) {
    for (auto window = topFirst.rbegin(); window != topFirst.rend(); ++window) {
        Hide(*window);
    }
}

void WindowVisibility::ShowAll(std::span<const WindowHandle> topFirst, Focus focusOnTop) {
    if (topFirst.empty()) {
        return;
    }
    for (auto window = topFirst.rbegin(); window + 1 != topFirst.rend(); ++window) {
        Show(*window, Focus::Leave);
    }
    Show(topFirst.front(), focusOnTop);
}

void WindowVisibility::Apply(WindowHandle window, ShowCommand command) {
    // A stale handle belongs to no thread and takes the posting path, where it fails quietly.
    if (windows_.IsOwnThreadWindow(window)) {
        windows_.ShowWindow(window, command);
        unsettled_.erase(window);
    } else if (windows_.ShowWindowAsync(window, command)) {
        unsettled_[window] = {command != ShowCommand::Hide, kRefreshesToSettle};
    }
}

bool WindowVisibility::IsVisible(WindowHandle window) {
    const bool visible = windows_.IsWindowVisible(window);
    const auto asked = unsettled_.find(window);
    if (asked == unsettled_.end()) {
        return visible;
    }
    const bool askedVisible = asked->second.visible;
    if (visible == askedVisible) {
        unsettled_.erase(asked);
    }
    return askedVisible;
}

void WindowVisibility::Refreshed() {
    for (auto entry = unsettled_.begin(); entry != unsettled_.end();) {
        entry = --entry->second.refreshesLeft <= 0 ? unsettled_.erase(entry) : std::next(entry);
    }
}

}  // namespace ombrel
