// The refresh of the current window set, and the filter that decides which windows may enter.
#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/DesktopEngine.h"

namespace ombrel {

bool DesktopEngine::IsTaskWindow(WindowHandle hWnd) {
    if (!visibility_.IsVisible(hWnd)) {
        return false;
    }
    // The shell's windows are known by their class: after a restart of the shell they are new.
    if (hWnd == bar_.BarWindow() || visibility_.Refused(hWnd) || IsPinned(hWnd) ||
        IsIgnored(hWnd)) {
        return false;
    }
    return !windows_.IsWindowCloaked(hWnd) && windowKinds_.MayJoinADesktop(hWnd);
}

void DesktopEngine::CollectDesktopWindows(std::int16_t index) {
    if (IsDesktopIndex(index)) {
        Collect(index, true);
    }
}

void DesktopEngine::Collect(int index, bool ages) {
    if (ages && shellLookoutsLeft_ > 0) {
        --shellLookoutsLeft_;
        if (!shell_.DesktopIconsShown || !shell_.TaskbarShown) {
            HideWhatTheUserHidOfTheShell();
            SaveRecoveryIfChanged();
        }
    }
    // Only a program that follows the changes pays for telling them.
    std::vector<WindowHandle> inSetsBefore;
    if (listener_) {
        for (const WindowSet& set : DesktopWindows_) {
            inSetsBefore.insert(inSetsBefore.end(), set.begin(), set.end());
        }
    }
    WindowSet& current = DesktopWindows_[index];
    // What was here at the last refresh was seen then: only newcomers' processes are asked.
    const std::unordered_set<WindowHandle> wasHere(current.begin(), current.end());
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
    std::vector<WindowHandle> firstSeen;
    std::vector<WindowHandle> everyWindow;
    const bool walked = windows_.EnumWindows([&](WindowHandle hWnd) {
        everyWindow.push_back(hWnd);
        const std::size_t before = current.size();
        EnumWindowsProc(hWnd, index);
        if (current.size() == before) {
            if (!parked.empty() && parked.contains(hWnd)) {
                stillParked.insert(hWnd);
            }
        } else if (!seen_.contains(hWnd) || (!wasHere.contains(hWnd) && !Seen(hWnd))) {
            // Unknown, or new here in a handle a closed window had: its process tells.
            firstSeen.push_back(hWnd);
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
    // After the sets are settled: a window a rule sends away joins its set here.
    PlaceFirstSeen(firstSeen, index, ages);
    // A pinned, ignored or seen window that closed is forgotten: the walk no longer meets it.
    // Nothing is asked of the system for that (a reused handle is told apart by its process
    // where it is looked up).
    if (walked) {
        std::sort(everyWindow.begin(), everyWindow.end());
        const auto gone = [&everyWindow](const auto& entry) {
            return !std::binary_search(everyWindow.begin(), everyWindow.end(), entry.first);
        };
        std::erase_if(pinned_, gone);
        std::erase_if(ignored_, gone);
        std::erase_if(seen_, gone);
        std::erase_if(framesWithoutContent_, gone);
    }
    if (walked) {
        ReclaimStrays(stillParked);
    }
    if (listener_) {
        AnnounceOpenedAndClosed(inSetsBefore);
    }
    ForgetStaleAttention();
    if (!ages) {
        ReportDesktops();
        return;
    }
    visibility_.Refreshed();
    windowKinds_.Refreshed();
    GiveTheKeyboardBack();
    if (pauseInFullScreen_) {
        const WindowHandle front = windows_.GetForegroundWindow();
        const bool fullScreen = IsFullScreen(front);
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

bool DesktopEngine::IsFullScreen(WindowHandle window) {
    constexpr std::uint32_t kCaption = 0x00C00000;    // WS_CAPTION
    constexpr std::uint32_t kMaximized = 0x01000000;  // WS_MAXIMIZE
    // A maximised window also covers a screen that has no taskbar, and one with a title bar is
    // an ordinary window however large: neither is a game or a presentation.
    const std::uint32_t style = windows_.StylesOf(window).style;
    return (style & kCaption) != kCaption && (style & kMaximized) == 0 && IsTaskWindow(window) &&
           windows_.CoversItsScreen(window);
}

void DesktopEngine::ReclaimStrays(const std::unordered_set<WindowHandle>& parked) {
    const std::vector<WindowHandle> shell = shell_.Taskbars();
    const auto inASet = [this](WindowHandle window) {
        return std::any_of(DesktopWindows_.begin(), DesktopWindows_.end(),
                           [window](const WindowSet& set) {
                               return std::find(set.begin(), set.end(), window) != set.end();
                           });
    };
    std::vector<WindowHandle> strays;
    for (const auto& [window, processId] : visibility_.HiddenByUs()) {
        // Nearly every window we hid is parked where the walk met it; only the others are
        // looked for in the sets. Pinned and ignored windows are in no set by right, and the
        // shell's windows never are.
        if (!parked.contains(window) && window != shell_.hProgMan &&
            std::find(shell.begin(), shell.end(), window) == shell.end() && !inASet(window) &&
            windows_.ProcessIdOf(window) == processId && !IsPinned(window) && !IsIgnored(window)) {
            strays.push_back(window);
        }
    }
    if (strays.empty()) {
        return;
    }
    WindowSet& current = DesktopWindows_[current_];
    current.insert(current.end(), strays.begin(), strays.end());
    for (WindowHandle window : strays) {
        visibility_.Show(window, WindowVisibility::Focus::Leave);
    }
    SaveRecoveryIfChanged();
}

void DesktopEngine::GiveTheKeyboardBack() {
    if (!windows_.IsFocusHolder(windows_.GetForegroundWindow())) {
        return;
    }
    for (WindowHandle window : DesktopWindows_[current_]) {
        if (windows_.IsWindowVisible(window) && !windows_.IsMinimized(window) &&
            !windows_.IsHung(window)) {
            windows_.SetForegroundWindow(window);
            return;
        }
    }
    if (const WindowHandle desktop = FindDesktopIcons(); windows_.IsWindowVisible(desktop)) {
        windows_.SetForegroundWindow(desktop);
    }
}

void DesktopEngine::AnnounceOpenedAndClosed(const std::vector<WindowHandle>& before) {
    const std::unordered_set<WindowHandle> known(before.begin(), before.end());
    std::unordered_set<WindowHandle> now;
    // New on the current desktop, or sent to another by a rule.
    for (int index = 0; index < kDesktopCount; ++index) {
        Change opened{Change::Kind::Open, index};
        for (WindowHandle window : DesktopWindows_[index]) {
            now.insert(window);
            if (!known.contains(window)) {
                opened.windows.push_back(window);
            }
        }
        if (!opened.windows.empty()) {
            Announce(opened);
        }
    }
    // Gone from the sets and from the system; a window its program merely hid is not closed.
    Change closed{Change::Kind::Close};
    for (WindowHandle window : before) {
        if (!now.contains(window) && !IsPinned(window) && windows_.ProcessIdOf(window) == 0) {
            closed.windows.push_back(window);
        }
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
