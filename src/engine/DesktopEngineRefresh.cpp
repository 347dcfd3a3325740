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
    if (hWnd == bar_.BarWindow() || visibility_.Refused(hWnd)) {
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
    DesktopWindows_[index].clear();
    std::unordered_set<WindowHandle> existing;
    const bool walked = windows_.EnumWindows([this, index, &existing](WindowHandle hWnd) {
        existing.insert(hWnd);
        return EnumWindowsProc(hWnd, index);
    });
    if (walked) {
        // A window belongs to one desktop: one its program showed again while it was parked
        // belongs where it appeared, and a closed one nowhere.
        const std::unordered_set<WindowHandle> current(DesktopWindows_[index].begin(),
                                                       DesktopWindows_[index].end());
        for (int other = 0; other < kDesktopCount; ++other) {
            if (other != index) {
                std::erase_if(DesktopWindows_[other], [&](WindowHandle window) {
                    return !existing.contains(window) || current.contains(window);
                });
            }
        }
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

bool DesktopEngine::EnumWindowsProc(WindowHandle hWnd, std::intptr_t lParam) {
    if (IsTaskWindow(hWnd)) {
        DesktopWindows_[static_cast<int>(lParam)].push_back(hWnd);
    }
    return true;
}

}  // namespace ombrel
