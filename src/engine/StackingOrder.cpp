#include "engine/StackingOrder.h"

#include <algorithm>
#include <utility>

namespace ombrel {

void StackingOrder::Take(WindowSystem& windows) {
    depth_.Clear(depth_.Size());
    walked_ = windows.EnumWindows([this](WindowHandle window) {
        depth_.TryEmplace(window, depth_.Size());
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
    // Each window's depth looked up once, not at every comparison.
    std::vector<std::pair<std::size_t, WindowHandle>> byDepth;
    byDepth.reserve(windows.size());
    for (WindowHandle window : windows) {
        if (const std::size_t* depth = depth_.Find(window)) {
            byDepth.emplace_back(*depth, window);
        }
    }
    std::sort(byDepth.begin(), byDepth.end());
    for (const auto& [depth, window] : byDepth) {
        if (sorted.empty() || sorted.back() != window) {
            sorted.push_back(window);
        }
    }
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
