#include "engine/FirstSight.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/Text.h"

namespace ombrel {

void FirstSight::LookAgainWithoutContent(WindowHandle window, KnownWindow& known, bool ages) {
    // A store app's frame is often shown a moment before the app's content joins it; until
    // then it is named by the frame's host, and a rule for the app could not match yet.
    if (std::none_of(rules_.begin(), rules_.end(),
                     [](const WindowRule& rule) { return rule.exe.has_value(); })) {
        return;  // no rule names a program: the frame's would change nothing
    }
    if (!SameIgnoringCase(windows_.ProcessNameOf(window), WindowSystem::kStoreAppFrameProgram)) {
        known.frameLooks = 0;
        return;
    }
    if ((ages ? ++known.frameLooks : known.frameLooks) <= kFrameLookouts) {
        known.seen = false;  // first seen again at the next refresh
    } else {
        known.frameLooks = 0;  // minimized, or an app without content
    }
}

std::vector<std::pair<WindowHandle, WindowPlacement>> FirstSight::Place(
    std::span<const WindowHandle> firstSeen, int here, bool ages) {
    for (WindowHandle window : firstSeen) {
        known_.Note(window).seen = true;
    }
    if (!std::exchange(rulesAtNextSight_, true) || (rules_.empty() && !remembered_.On()) ||
        firstSeen.empty()) {
        return {};
    }
    std::unordered_map<WindowHandle, std::optional<WindowPlacement>> placements;
    // Bottom-most first, as they most likely appeared: the order of appearance picks among a
    // program's remembered windows.
    for (auto window = firstSeen.rbegin(); window != firstSeen.rend(); ++window) {
        std::optional<WindowPlacement>& placement = placements[*window];
        placement = FirstMatchingRule(rules_, windows_, *window);
        if (!placement) {
            LookAgainWithoutContent(*window, known_.Note(*window), ages);
            placement = remembered_.PlaceOf(*window);
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
        } else if (known_.Seen(root)) {
            placements[window] = std::nullopt;
            if (known_.IsIgnored(root)) {
                placements[window] = WindowPlacement{WindowPlacement::Kind::Ignore, 0};
            }
        }
    }
    std::vector<std::pair<WindowHandle, WindowPlacement>> moved;
    for (WindowHandle window : firstSeen) {
        const std::optional<WindowPlacement>& placement = placements[window];
        if (placement &&
            (placement->kind != WindowPlacement::Kind::Desktop || placement->desktop != here)) {
            moved.emplace_back(window, *placement);
        }
    }
    return moved;
}

}  // namespace ombrel
