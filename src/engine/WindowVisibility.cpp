#include "engine/WindowVisibility.h"

#include <iterator>
#include <vector>

#include "engine/StackingOrder.h"
#include "platform/Text.h"

namespace ombrel {

void WindowVisibility::Hide(WindowHandle window) {
    if (Refused(window)) {
        return;
    }
    Record(window);
    Apply(window, ShowCommand::Hide);
}

void WindowVisibility::WillHide(std::span<const WindowHandle> windows) {
    for (WindowHandle window : windows) {
        if (!Refused(window)) {
            Record(window);
        }
    }
}

void WindowVisibility::Record(WindowHandle window) {
    if (window == WindowHandle::None) {
        return;
    }
    // The process of this moment: a handle hidden before may name another program's window by
    // now, and that window is the one to show again.
    const std::uint32_t processId = windows_.ProcessIdOf(window);
    const auto [entry, added] = hidden_.try_emplace(window, processId);
    if (!added && entry->second != processId) {
        entry->second = processId;
        changed_ = true;
    }
    changed_ = added || changed_;
}

bool WindowVisibility::ForgetIfGone(WindowHandle window) {
    const auto hidden = hidden_.find(window);
    if (hidden == hidden_.end() || windows_.ProcessIdOf(window) == hidden->second) {
        return false;
    }
    hidden_.erase(hidden);
    unsettled_.erase(window);  // what we asked was of the window that is gone
    changed_ = true;
    return true;
}

void WindowVisibility::Show(WindowHandle window, Focus focus) {
    if (!ForgetIfGone(window)) {
        ShowStillOurs(window,
                      focus == Focus::Take ? ShowCommand::Show : ShowCommand::ShowNoActivate);
    }
}

void WindowVisibility::ShowStillOurs(WindowHandle window, ShowCommand command) {
    changed_ = hidden_.erase(window) > 0 || changed_;
    Apply(window, command);
}

void WindowVisibility::HideAll(std::span<const WindowHandle> topFirst) {
    // NOLINTNEXTLINE(modernize-loop-convert): bottom-most first; no reversed view in every build
    for (auto window = topFirst.rbegin(); window != topFirst.rend(); ++window) {
        Hide(*window);
    }
}

bool WindowVisibility::ShowAll(std::span<const WindowHandle> topFirst, Focus focusOnTop) {
    std::vector<WindowHandle> shown;
    shown.reserve(topFirst.size());
    for (WindowHandle window : topFirst) {
        if (!ForgetIfGone(window)) {
            shown.push_back(window);
        }
    }
    if (shown.empty()) {
        return false;
    }
    // Hidden windows keep their places in the z-order, so the windows below the top one are
    // shown where they stand: their order does not hang on the order in which their programs
    // get to the requests, and none of them is raised or activated on the way.
    for (auto window = shown.rbegin(); window + 1 != shown.rend(); ++window) {
        ShowStillOurs(*window, ShowCommand::ShowNoActivate);
    }
    if (focusOnTop == Focus::Leave) {
        ShowStillOurs(shown.front(), ShowCommand::ShowNoActivate);
        return true;
    }
    // The top window's own thread shows it, and Windows lets that thread take the keyboard only
    // if we pass on the right we hold (the user pressed our key): otherwise the window would
    // come to the front while the keys went to our hidden focus holder. The right travels with
    // the request, so a hung program that wakes up later takes nothing the user has moved on
    // from: the right ends at the user's next input.
    windows_.AllowForeground(shown.front());
    ShowStillOurs(shown.front(), ShowCommand::Show);
    return true;
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
            if (command == ShowCommand::Hide && windows_.LastError() == kErrorWindowAccessDenied) {
                Refuse(window, kErrorWindowAccessDenied);
            }
            break;
    }
}

void WindowVisibility::Refuse(WindowHandle window, std::uint32_t code) {
    const auto hidden = hidden_.find(window);
    const std::uint32_t processId =
        hidden != hidden_.end() ? hidden->second : windows_.ProcessIdOf(window);
    if (hidden != hidden_.end()) {
        hidden_.erase(hidden);
        changed_ = true;
    }
    refused_[window] = processId;
    log_.Write(u"无法隐藏窗口 " + HexText(static_cast<std::uint64_t>(window)) + u"（进程 " +
               DecimalText(processId) + u"，代码 " + DecimalText(code) +
               u"）：它属于权限更高的程序，将留在每个桌面上");
}

bool WindowVisibility::IsVisible(WindowHandle window) {
    const bool visible = windows_.IsWindowVisible(window);
    const auto asked = unsettled_.find(window);
    if (asked == unsettled_.end() || ForgetIfGone(window)) {
        return visible;
    }
    const bool askedVisible = asked->second.visible;
    if (visible == askedVisible) {
        unsettled_.erase(asked);
    }
    return askedVisible;
}

void WindowVisibility::Refreshed() {
    // A refused window that closed frees its handle for a window that may be hidden.
    std::erase_if(refused_, [this](const auto& entry) {
        return windows_.ProcessIdOf(entry.first) != entry.second;
    });
    for (auto entry = unsettled_.begin(); entry != unsettled_.end();) {
        entry = --entry->second.refreshesLeft <= 0 ? unsettled_.erase(entry) : std::next(entry);
    }
}

}  // namespace ombrel
