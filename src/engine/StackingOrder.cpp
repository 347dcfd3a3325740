#include "engine/StackingOrder.h"

#include <algorithm>

namespace ombrel {

StackingOrder::StackingOrder(WindowSystem& windows) {
    walked_ = windows.EnumWindows([this](WindowHandle window) {
        depth_.try_emplace(window, depth_.size());
        return true;
    });
}

std::vector<WindowHandle> StackingOrder::Sorted(std::span<const WindowHandle> windows) const {
    std::vector<WindowHandle> sorted;
    sorted.reserve(windows.size());
    if (!walked_) {
        for (WindowHandle window : windows) {
            if (std::find(sorted.begin(), sorted.end(), window) == sorted.end()) {
                sorted.push_back(window);
            }
        }
        return sorted;
    }
    for (WindowHandle window : windows) {
        if (depth_.contains(window)) {
            sorted.push_back(window);
        }
    }
    std::sort(sorted.begin(), sorted.end(), [this](WindowHandle above, WindowHandle below) {
        return depth_.at(above) < depth_.at(below);
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

ChangeAsked ShowOrHideWithoutWaiting(WindowSystem& windows, WindowHandle window,
                                     ShowCommand command) noexcept {
    // A stale handle belongs to no thread and takes the posting path, where it fails quietly.
    if (windows.IsOwnThreadWindow(window)) {
        windows.ShowWindow(window, command);
        return ChangeAsked::Done;
    }
    return windows.ShowWindowAsync(window, command) ? ChangeAsked::Posted : ChangeAsked::Failed;
}

void ShowInPlace(WindowSystem& windows, std::span<const WindowHandle> hidden) noexcept {
    for (WindowHandle window : hidden) {
        ShowOrHideWithoutWaiting(windows, window, ShowCommand::ShowNoActivate);
    }
}

}  // namespace ombrel
