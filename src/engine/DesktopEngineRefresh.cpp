// The refresh of the current window set, and the filter that decides which windows may enter.
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
    DesktopWindows_[index].clear();
    windows_.EnumWindows([this, index](WindowHandle hWnd) { return EnumWindowsProc(hWnd, index); });
    visibility_.Refreshed();
    windowKinds_.Refreshed();
    ReportDesktops();
}

bool DesktopEngine::EnumWindowsProc(WindowHandle hWnd, std::intptr_t lParam) {
    if (IsTaskWindow(hWnd)) {
        DesktopWindows_[static_cast<int>(lParam)].push_back(hWnd);
    }
    return true;
}

}  // namespace ombrel
