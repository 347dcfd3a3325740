#include "engine/WindowWalk.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace ombrel {

WalkFindings WindowWalk::Walk(Desktops& desktops) {
    const int here = desktops.CurrentIndex();
    // What was here at the last refresh was seen then: only newcomers' processes are asked.
    const WindowSet& wasHereSet = desktops[here].Windows();
    std::unordered_set<WindowHandle> wasHere;
    wasHere.reserve(wasHereSet.size());
    wasHere.insert(wasHereSet.begin(), wasHereSet.end());
    // The parked windows are few; only they are looked up, so the walk costs what it did.
    std::unordered_map<WindowHandle, int> parked;
    for (int other = 0; other < kDesktopCount; ++other) {
        if (other != here) {
            for (WindowHandle window : desktops[other].Windows()) {
                parked.try_emplace(window, other);
            }
        }
    }
    std::unordered_set<WindowHandle> stillParked;
    WalkFindings findings;
    WindowSet current = desktops[here].TakeAll();  // refilled in place: no allocation a second
    current.clear();
    std::vector<WindowHandle> everyWindow;
    const bool walked = windows_.EnumWindows([&](WindowHandle hWnd) {
        everyWindow.push_back(hWnd);
        KnownWindow* known = known_.Entry(hWnd);
        if (!filter_.IsTaskWindow(hWnd, known)) {
            if (!parked.empty() && parked.contains(hWnd)) {
                stillParked.insert(hWnd);
            }
        } else {
            current.push_back(hWnd);
            if (const auto from =
                    known != nullptr && known->hideSeen ? parked.find(hWnd) : parked.end();
                from != parked.end()) {
                // Parked, and shown again by its program after our hide was seen done: whatever
                // it does with the window from now on is its own, a hide to its tray included.
                // A window of this desktop still marked ours is left to the strays' safety.
                known_.SetHidden(*known, false);
                findings.broughtUp.push_back({hWnd, from->second});
            }
            if (known == nullptr || !known->seen ||
                (!wasHere.contains(hWnd) && windows_.ProcessIdOf(hWnd) != known->processId)) {
                // Unknown, or new here in a handle a closed window had: its process tells.
                findings.firstSeen.push_back(hWnd);
            }
        }
        return true;
    });
    desktops[here].Refill(std::move(current));
    if (!walked) {
        return findings;
    }
    if (!parked.empty()) {
        for (int other = 0; other < kDesktopCount; ++other) {
            if (other != here) {
                desktops[other].RemoveIf(
                    [&stillParked](WindowHandle window) { return !stillParked.contains(window); });
            }
        }
    }
    // A window that closed is forgotten: the walk no longer meets it. Nothing is asked of the
    // system for that (a reused handle is told apart by its process where it is looked up).
    std::sort(everyWindow.begin(), everyWindow.end());
    known_.KeepOnly(everyWindow);
    // Nearly every window we hid is parked where the walk met it; only the others are looked
    // for in the sets. Pinned and ignored windows are in no set by right, and the shell's
    // windows never are.
    known_.ForEachHidden([&](WindowHandle window, std::uint32_t processId) {
        if (!stillParked.contains(window) && !shell_.IsOneOfThem(window) &&
            !desktops.DesktopOf(window) && windows_.ProcessIdOf(window) == processId &&
            !known_.IsPinned(window) && !known_.IsIgnored(window)) {
            findings.strays.push_back(window);
        }
    });
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
