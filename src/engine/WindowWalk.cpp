#include "engine/WindowWalk.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace ombrel {

WalkFindings WindowWalk::Walk(Desktops& desktops) {
    const int here = desktops.CurrentIndex();
    // Where each parked window was before the walk. Made with room for the current set's
    // windows too, which may join it on the way: nothing in it moves during the walk.
    std::size_t inSets = 0;
    for (const Desktop& desktop : desktops) {
        inSets += desktop.Windows().size();
    }
    before_.Clear(inSets);
    for (int other = 0; other < kDesktopCount; ++other) {
        if (other != here) {
            for (WindowHandle window : desktops[other].Windows()) {
                if (BeforeTheWalk& was = *before_.TryEmplace(window, {}).first; was.parkedOn < 0) {
                    was.parkedOn = other;
                }
            }
        }
    }
    const bool anyParked = !before_.Empty();
    // The set as the last refresh left it, and the one refilled now, in the system's order: two
    // vectors kept from one walk to the next, so neither is allocated anew each second.
    WindowSet wasHere = desktops[here].TakeAll();
    WindowSet current = std::move(spare_);
    current.clear();
    // What was here at the last refresh was seen then: only newcomers' processes are asked. The
    // walk meets the set's windows in the set's order, nearly always: the set is followed
    // along, and looked up only where the two part (a window raised, opened or closed).
    std::size_t along = 0;
    bool hereLooked = false;
    const auto wasHereBefore = [&](WindowHandle window) {
        if (along < wasHere.size() && wasHere[along] == window) {
            ++along;
            return true;
        }
        if (!std::exchange(hereLooked, true)) {
            for (std::size_t position = 0; position < wasHere.size(); ++position) {
                if (BeforeTheWalk& was = *before_.TryEmplace(wasHere[position], {}).first;
                    !was.here) {
                    was.here = true;
                    was.position = position;
                }
            }
        }
        const BeforeTheWalk* was = before_.Find(window);
        if (was == nullptr || !was->here) {
            return false;
        }
        along = was->position + 1;
        return true;
    };
    // Every window we hid that the walk meets parked is no stray: the strays are looked for
    // only while the count falls short.
    std::size_t hiddenStillParked = 0;
    WalkFindings findings;
    known_.BeginWalk();
    const bool walked = windows_.EnumWindows([&](WindowHandle hWnd) {
        KnownWindow* known = known_.Entry(hWnd);
        BeforeTheWalk* was = anyParked ? before_.Find(hWnd) : nullptr;
        const bool taskWindow = filter_.IsTaskWindow(hWnd, known);
        if (known != nullptr) {
            known_.Met(*known);
        }
        if (!taskWindow) {
            if (was != nullptr && was->parkedOn >= 0 && !std::exchange(was->stillParked, true) &&
                known != nullptr && known->hidden) {
                ++hiddenStillParked;
            }
        } else {
            current.push_back(hWnd);
            if (known != nullptr && known->hideSeen && was != nullptr && was->parkedOn >= 0) {
                // Parked, and shown again by its program after our hide was seen done: whatever
                // it does with the window from now on is its own, a hide to its tray included.
                // A window of this desktop still marked ours is left to the strays' safety.
                known_.SetHidden(*known, false);
                findings.broughtUp.push_back({hWnd, was->parkedOn});
            }
            if (known == nullptr || !known->seen ||
                (!wasHereBefore(hWnd) && windows_.ProcessIdOf(hWnd) != known->processId)) {
                // Unknown, or new here in a handle a closed window had: its process tells.
                findings.firstSeen.push_back(hWnd);
            }
        }
        return true;
    });
    desktops[here].Refill(std::move(current));
    spare_ = std::move(wasHere);
    if (!walked) {
        return findings;
    }
    const auto stillParked = [this](WindowHandle window) {
        const BeforeTheWalk* was = before_.Find(window);
        return was != nullptr && was->stillParked;
    };
    if (anyParked) {
        for (int other = 0; other < kDesktopCount; ++other) {
            if (other != here) {
                desktops[other].RemoveIf(
                    [&stillParked](WindowHandle window) { return !stillParked(window); });
            }
        }
    }
    // A window that closed is forgotten: the walk no longer meets it. Nothing is asked of the
    // system for that (a reused handle is told apart by its process where it is looked up).
    known_.ForgetUnmet();
    if (hiddenStillParked == known_.HiddenCount()) {
        return findings;
    }
    // Nearly every window we hid is parked where the walk met it; only the others are looked
    // for in the sets, and those that closed are not. Pinned and ignored windows are in no set
    // by right, and the shell's windows never are.
    std::vector<WindowHandle> closed;
    known_.ForEachHidden([&](WindowHandle window, std::uint32_t processId) {
        if (stillParked(window) || shell_.IsOneOfThem(window)) {
            return;
        }
        if (windows_.ProcessIdOf(window) != processId) {
            // Closed while we held it hidden, its handle nobody's or another's by now: nothing
            // is left to show, and the recovery list would carry it for the rest of the log-on.
            closed.push_back(window);
        } else if (!desktops.DesktopOf(window) && !known_.IsPinned(window) &&
                   !known_.IsIgnored(window)) {
            findings.strays.push_back(window);
        }
    });
    for (const WindowHandle window : closed) {
        known_.Forget(window);
    }
    std::sort(findings.strays.begin(), findings.strays.end());
    return findings;
}

std::vector<Change> WindowWalk::OpenedAndClosed(const Desktops& desktops,
                                                const std::vector<WindowHandle>& before) {
    std::vector<Change> changes;
    const std::unordered_set<WindowHandle> known(before.begin(), before.end());
    std::unordered_set<WindowHandle> now;
    // New on the current desktop, or sent to another by a rule.
    for (int index = 0; index < kDesktopCount; ++index) {
        Change opened{Change::Kind::Open, index};
        for (WindowHandle window : desktops[index].Windows()) {
            now.insert(window);
            if (!known.contains(window)) {
                opened.windows.push_back(window);
            }
        }
        if (!opened.windows.empty()) {
            changes.push_back(std::move(opened));
        }
    }
    // Gone from the sets and from the system; a window its program merely hid is not closed.
    Change closed{Change::Kind::Close};
    for (WindowHandle window : before) {
        if (!now.contains(window) && !known_.IsPinned(window) &&
            windows_.ProcessIdOf(window) == 0) {
            closed.windows.push_back(window);
        }
    }
    if (!closed.windows.empty()) {
        changes.push_back(std::move(closed));
    }
    return changes;
}

}  // namespace ombrel
