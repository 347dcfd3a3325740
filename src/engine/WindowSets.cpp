// The window sets and the filter that decides which windows may enter them.
#include <array>
#include <string_view>

#include "engine/DesktopEngine.h"
#include "ui/forms/Form.h"

namespace ombrel {
namespace {

// Parts of the shell that are visible top-level windows on current Windows; hiding them
// would take a second screen's taskbar or the desktop itself away on other desktops.
constexpr std::array<std::u16string_view, 2> kShellClasses{u"Shell_SecondaryTrayWnd", u"WorkerW"};

bool IsShellClass(std::u16string_view className) {
    for (std::u16string_view shellClass : kShellClasses) {
        if (className == shellClass) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool DesktopEngine::IsTaskWindow(WindowHandle hWnd) {
    if (!visibility_.IsVisible(hWnd)) {
        return false;
    }
    if (hWnd == shell_.hProgMan || hWnd == shell_.hTrayWnd || hWnd == frmMain_.WindowIfLoaded()) {
        return false;
    }
    return !windows_.IsWindowCloaked(hWnd) && !IsShellClass(windows_.ClassName(hWnd));
}

void DesktopEngine::CollectDesktopWindows(std::int16_t index) {
    if (!IsDesktopIndex(index)) {
        return;
    }
    DesktopWindows_[index].clear();
    windows_.EnumWindows([this, index](WindowHandle hWnd) { return EnumWindowsProc(hWnd, index); });
    visibility_.Refreshed();
}

bool DesktopEngine::EnumWindowsProc(WindowHandle hWnd, std::intptr_t lParam) {
    if (IsTaskWindow(hWnd)) {
        DesktopWindows_[static_cast<int>(lParam)].push_back(hWnd);
    }
    return true;
}

}  // namespace ombrel
