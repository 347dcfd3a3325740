#include "engine/TaskWindowFilter.h"

namespace ombrel {

bool TaskWindowFilter::IsTaskWindow(WindowHandle hWnd) {
    KnownWindow* known = known_.Entry(hWnd);
    return IsTaskWindow(hWnd, known);
}

bool TaskWindowFilter::IsTaskWindow(WindowHandle hWnd, KnownWindow*& known) {
    if (!visibility_.IsVisible(hWnd, known) || hWnd == bar_.BarWindow()) {
        return false;
    }
    // Refused whatever its process now, until a refresh forgets it; pinned or left alone only
    // while the handle names the same window.
    if (known != nullptr && known->place != KnownWindow::Place::Desktop &&
        (known->place == KnownWindow::Place::Refused ||
         windows_.ProcessIdOf(hWnd) == known->processId)) {
        return false;
    }
    // The shell's windows are known by their class: after a restart of the shell they are new.
    return !windows_.IsWindowCloaked(hWnd) && kinds_.MayJoinADesktop(hWnd);
}

std::vector<WindowHandle> TaskWindowFilter::FamilyOf(WindowHandle member) {
    if (!IsTaskWindow(member)) {
        return {};
    }
    const WindowHandle root = windows_.RootOwner(member);
    std::vector<WindowHandle> family;
    windows_.EnumWindows([&](WindowHandle window) {
        if (windows_.RootOwner(window) == root && IsTaskWindow(window)) {
            family.push_back(window);
        }
        return true;
    });
    if (family.empty()) {
        family.push_back(member);  // the walk failed
    }
    return family;
}

bool TaskWindowFilter::IsFullScreen(WindowHandle window) {
    constexpr std::uint32_t kCaption = 0x00C00000;    // WS_CAPTION
    constexpr std::uint32_t kMaximized = 0x01000000;  // WS_MAXIMIZE
    // A maximised window also covers a screen that has no taskbar, and one with a title bar is
    // an ordinary window however large: neither is a game or a presentation.
    const std::uint32_t style = windows_.StylesOf(window).style;
    return (style & kCaption) != kCaption && (style & kMaximized) == 0 && IsTaskWindow(window) &&
           windows_.CoversItsScreen(window);
}

}  // namespace ombrel
