// The refresh of the current window set, and the filter that decides which windows may enter.
#include <unordered_set>
#include <utility>

#include "engine/DesktopEngine.h"

namespace ombrel {

bool DesktopEngine::IsTaskWindow(WindowHandle hWnd) {
    if (!visibility_.IsVisible(hWnd)) {
        return false;
    }
    // The shell's windows are known by their class: after a restart of the shell they are new.
    if (hWnd == bar_.BarWindow() || visibility_.Refused(hWnd) || IsPinned(hWnd)) {
        return false;
    }
    return !windows_.IsWindowCloaked(hWnd) && windowKinds_.MayJoinADesktop(hWnd);
}

void DesktopEngine::CollectDesktopWindows(std::int16_t index) {
    if (!IsDesktopIndex(index)) {
        return;
    }
    if (shellLookoutsLeft_ > 0) {
        --shellLookoutsLeft_;
        if (!shell_.DesktopIconsShown || !shell_.TaskbarShown) {
            HideWhatTheUserHidOfTheShell();
            SaveRecoveryIfChanged();
        }
    }
    // Only a program that follows the changes pays for telling them.
    std::vector<WindowHandle> before;
    if (listener_) {
        for (const WindowSet& set : DesktopWindows_) {
            before.insert(before.end(), set.begin(), set.end());
        }
    }
    WindowSet& current = DesktopWindows_[index];
    current.clear();
    // A window belongs to one desktop: one its program showed again while it was parked
    // belongs where it appeared, and a closed one nowhere. The parked windows are few; only
    // they are looked up, so the walk costs what it did.
    std::unordered_set<WindowHandle> parked;
    for (int other = 0; other < kDesktopCount; ++other) {
        if (other != index) {
            parked.insert(DesktopWindows_[other].begin(), DesktopWindows_[other].end());
        }
    }
    std::unordered_set<WindowHandle> stillParked;
    const bool walked = windows_.EnumWindows([&](WindowHandle hWnd) {
        const std::size_t before = current.size();
        EnumWindowsProc(hWnd, index);
        if (current.size() == before && !parked.empty() && parked.contains(hWnd)) {
            stillParked.insert(hWnd);
        }
        return true;
    });
    if (walked && !parked.empty()) {
        for (int other = 0; other < kDesktopCount; ++other) {
            if (other != index) {
                std::erase_if(DesktopWindows_[other], [&stillParked](WindowHandle window) {
                    return !stillParked.contains(window);
                });
            }
        }
    }
    // A pinned window that closed frees its handle: a new window of it is not pinned.
    std::erase_if(pinned_, [this](const auto& entry) {
        return windows_.ProcessIdOf(entry.first) != entry.second;
    });
    if (listener_) {
        AnnounceOpenedAndClosed(before, index);
    }
    visibility_.Refreshed();
    windowKinds_.Refreshed();
    if (pauseInFullScreen_) {
        const WindowHandle front = windows_.GetForegroundWindow();
        const bool fullScreen = IsTaskWindow(front) && windows_.CoversItsScreen(front);
        if (fullScreen != fullScreenSeen_) {
            // Only a change counts: the pause key still ends a pause the game began.
            fullScreenSeen_ = fullScreen;
            fullScreenInFront_ = fullScreen;
            FollowPause();
        }
    } else if (std::exchange(fullScreenInFront_, false)) {
        fullScreenSeen_ = false;
        FollowPause();
    }
    ReportDesktops();
}

void DesktopEngine::AnnounceOpenedAndClosed(const std::vector<WindowHandle>& before, int index) {
    const std::unordered_set<WindowHandle> known(before.begin(), before.end());
    Change opened{Change::Kind::Open, index};
    for (WindowHandle window : DesktopWindows_[index]) {
        if (!known.contains(window)) {
            opened.windows.push_back(window);
        }
    }
    std::unordered_set<WindowHandle> now;
    for (const WindowSet& set : DesktopWindows_) {
        now.insert(set.begin(), set.end());
    }
    // Gone from the sets and from the system; a window its program merely hid is not closed.
    Change closed{Change::Kind::Close};
    for (WindowHandle window : before) {
        if (!now.contains(window) && !IsPinned(window) && windows_.ProcessIdOf(window) == 0) {
            closed.windows.push_back(window);
        }
    }
    if (!opened.windows.empty()) {
        Announce(opened);
    }
    if (!closed.windows.empty()) {
        Announce(closed);
    }
}

bool DesktopEngine::EnumWindowsProc(WindowHandle hWnd, std::intptr_t lParam) {
    if (IsTaskWindow(hWnd)) {
        DesktopWindows_[static_cast<int>(lParam)].push_back(hWnd);
    }
    return true;
}

}  // namespace ombrel
