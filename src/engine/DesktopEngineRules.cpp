// The rules that place the windows Ombrel sees for the first time.
#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/DesktopEngine.h"
#include "platform/Text.h"

namespace ombrel {

bool DesktopEngine::IsIgnored(WindowHandle window) {
    const auto found = ignored_.find(window);
    return found != ignored_.end() && windows_.ProcessIdOf(window) == found->second;
}

bool DesktopEngine::Seen(WindowHandle window) {
    const auto found = seen_.find(window);
    return found != seen_.end() && windows_.ProcessIdOf(window) == found->second;
}

void DesktopEngine::LookAgainWithoutContent(WindowHandle window, bool ages) {
    // A store app's frame is often shown a moment before the app's content joins it; until
    // then it is named by the frame's host, and a rule for the app could not match yet.
    constexpr std::u16string_view kFrameHost = u"ApplicationFrameHost.exe";
    if (std::none_of(rules_.begin(), rules_.end(),
                     [](const WindowRule& rule) { return rule.exe.has_value(); })) {
        return;  // no rule names a program: the frame's would change nothing
    }
    if (!SameIgnoringCase(windows_.ProcessNameOf(window), kFrameHost)) {
        framesWithoutContent_.erase(window);
        return;
    }
    int& looks = framesWithoutContent_[window];
    if ((ages ? ++looks : looks) <= kFrameLookouts) {
        seen_.erase(window);  // first seen again at the next refresh
    } else {
        framesWithoutContent_.erase(window);  // minimized, or an app without content
    }
}

void DesktopEngine::PlaceFirstSeen(std::span<const WindowHandle> firstSeen, int index, bool ages) {
    for (WindowHandle window : firstSeen) {
        seen_[window] = windows_.ProcessIdOf(window);
    }
    if (!std::exchange(rulesAtFirstSight_, true) || rules_.empty() || firstSeen.empty()) {
        return;
    }
    std::unordered_map<WindowHandle, std::optional<WindowPlacement>> placements;
    for (WindowHandle window : firstSeen) {
        placements[window] = FirstMatchingRule(rules_, windows_, window);
        if (!placements[window]) {
            LookAgainWithoutContent(window, ages);
        }
    }
    // A program's windows seen together go where their root owner goes, as a send takes them
    // together. A dialog that comes later stays beside its owner whatever a rule says of it (a
    // hidden dialog would leave its owner disabled), unless its owner is left alone: so is it.
    for (WindowHandle window : firstSeen) {
        const WindowHandle root = windows_.RootOwner(window);
        if (root == window || root == WindowHandle::None) {
            continue;
        }
        if (const auto owner = placements.find(root); owner != placements.end()) {
            placements[window] = owner->second;
        } else if (Seen(root)) {
            placements[window] = std::nullopt;
            if (IsIgnored(root)) {
                placements[window] = WindowPlacement{WindowPlacement::Kind::Ignore, 0};
            }
        }
    }
    WindowSet& current = DesktopWindows_[index];
    std::vector<WindowHandle> leaving;
    for (WindowHandle window : firstSeen) {
        const std::optional<WindowPlacement>& placement = placements[window];
        if (!placement ||
            (placement->kind == WindowPlacement::Kind::Desktop && placement->desktop == index)) {
            continue;  // it stays where it appeared
        }
        std::erase(current, window);
        switch (placement->kind) {
            case WindowPlacement::Kind::Desktop:
                DesktopWindows_[placement->desktop].push_back(window);
                leaving.push_back(window);
                break;
            case WindowPlacement::Kind::Pin:
                pinned_[window] = seen_[window];
                break;
            case WindowPlacement::Kind::Ignore:
                ignored_[window] = seen_[window];
                break;
        }
    }
    if (leaving.empty()) {
        return;
    }
    // Listed before they go, as a switch lists what it hides.
    visibility_.WillHide(leaving);
    SaveRecoveryIfChanged();
    visibility_.HideAll(leaving);
    DropRefusedWindows();
    SaveRecoveryIfChanged();
}

}  // namespace ombrel
