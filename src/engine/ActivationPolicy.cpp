#include "engine/ActivationPolicy.h"

#include "engine/WindowRules.h"

namespace ombrel {

ActivationPolicy::Decisions ActivationPolicy::Decide(std::span<const BroughtUp> broughtUp,
                                                     std::span<const WindowRule> rules) {
    Decisions decisions;
    for (const BroughtUp& window : broughtUp) {
        OnActivate action = byDefault_;
        if (!rules.empty()) {
            action = FirstMatchingOnActivate(rules, windows_, window.window).value_or(byDefault_);
        }
        KnownWindow* known = known_.Entry(window.window);
        if (action == OnActivate::Join || known == nullptr ||
            (known->broughtUpAt != 0 && refreshes_ - known->broughtUpAt < kQuietRefreshes)) {
            decisions.join.push_back(window.window);
            continue;
        }
        known->broughtUpAt = refreshes_;
        if (action == OnActivate::Smart) {
            action = TookTheForeground(window.window) ? OnActivate::Follow : OnActivate::Mark;
        }
        // Two programs bringing up windows on two desktops at once: the first is followed, the
        // other goes back where it belongs.
        if (action == OnActivate::Follow && !decisions.follow) {
            decisions.follow = window;
        } else {
            decisions.mark.push_back(window);
        }
    }
    return decisions;
}

bool ActivationPolicy::TookTheForeground(WindowHandle window) {
    const WindowHandle front = windows_.GetForegroundWindow();
    return front == window ||
           (front != WindowHandle::None && windows_.RootOwner(front) == windows_.RootOwner(window));
}

}  // namespace ombrel
