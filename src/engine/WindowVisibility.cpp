#include "engine/WindowVisibility.h"

#include <iterator>
#include <vector>

#include "engine/StackingOrder.h"

namespace ombrel {

void WindowVisibility::Hide(WindowHandle window) {
    if (window != WindowHandle::None) {
        changed_ = hidden_.try_emplace(window, windows_.ProcessIdOf(window)).second || changed_;
    }
    Apply(window, ShowCommand::Hide);
}

bool WindowVisibility::ForgetIfGone(WindowHandle window) {
    const auto hidden = hidden_.find(window);
    if (hidden == hidden_.end() || windows_.ProcessIdOf(window) == hidden->second) {
        return false;
    }
    hidden_.erase(hidden);
    changed_ = true;
    return true;
}

void WindowVisibility::Show(WindowHandle window, Focus focus) {
    if (!ForgetIfGone(window)) {
        ShowStillOurs(window, focus);
    }
}

void WindowVisibility::ShowStillOurs(WindowHandle window, Focus focus) {
    changed_ = hidden_.erase(window) > 0 || changed_;
    Apply(window, focus == Focus::Take ? ShowCommand::Show : ShowCommand::ShowNoActivate);
}

void WindowVisibility::HideAll(std::span<const WindowHandle> topFirst) {
    // NOLINTNEXTLINE(modernize-loop-convert): bottom-most first; no reversed view in every build
    for (auto window = topFirst.rbegin(); window != topFirst.rend(); ++window) {
        Hide(*window);
    }
}

void WindowVisibility::ShowAll(std::span<const WindowHandle> topFirst, Focus focusOnTop) {
    std::vector<WindowHandle> shown;
    shown.reserve(topFirst.size());
    for (WindowHandle window : topFirst) {
        if (!ForgetIfGone(window)) {
            shown.push_back(window);
        }
    }
    if (shown.empty()) {
        return;
    }
    for (auto window = shown.rbegin(); window + 1 != shown.rend(); ++window) {
        ShowStillOurs(*window, Focus::Leave);
    }
    ShowStillOurs(shown.front(), focusOnTop);
}

void WindowVisibility::Apply(WindowHandle window, ShowCommand command) {
    switch (ShowOrHideWithoutWaiting(windows_, window, command)) {
        case ChangeAsked::Done:
            unsettled_.erase(window);
            break;
        case ChangeAsked::Posted:
            unsettled_[window] = {command != ShowCommand::Hide, kRefreshesToSettle};
            break;
        case ChangeAsked::Failed:
            break;
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
