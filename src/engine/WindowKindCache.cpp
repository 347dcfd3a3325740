#include "engine/WindowKindCache.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "engine/ShellWindows.h"

namespace ombrel {
namespace {

// Parts of the shell that are visible top-level windows; hiding them would take the desktop or a
// taskbar away on other desktops. Known by class, never by handle: a restarted shell has new
// windows.
constexpr std::array<std::u16string_view, 4> kShellClasses{kDesktopIconsClass, kTaskbarClass,
                                                           kSecondaryTaskbarClass, kWorkerClass};

// The system's own passing windows, whatever styles they carry: tooltips, menus, their
// shadows, the lists of combo boxes, input-method windows, the image of a drag.
constexpr std::array<std::u16string_view, 7> kPassingClasses{
    u"tooltips_class32", u"#32768",      u"SysShadow", u"ComboLBox", u"IME",
    u"MSCTFIME UI",      u"SysDragImage"};

constexpr std::uint32_t kCaption = 0x00C00000;     // WS_CAPTION: a title bar
constexpr std::uint32_t kToolWindow = 0x00000080;  // WS_EX_TOOLWINDOW
constexpr std::uint32_t kNoActivate = 0x08000000;  // WS_EX_NOACTIVATE

template <std::size_t N>
bool IsOneOf(std::u16string_view className, const std::array<std::u16string_view, N>& classes) {
    return std::find(classes.begin(), classes.end(), className) != classes.end();
}

}  // namespace

bool WindowKindCache::Classify(WindowHandle window) {
    const std::u16string className = windows_.ClassName(window);
    if (IsOneOf(className, kShellClasses) || IsOneOf(className, kPassingClasses)) {
        return false;
    }
    // A window that never takes the focus (a notification, an on-screen display) is no one's
    // work; a tool window without a title bar is a part of another window (a floating list, a
    // shadow). A tool palette with a title bar goes with its desktop like a dialog.
    const WindowStyles styles = windows_.StylesOf(window);
    if ((styles.extended & kNoActivate) != 0) {
        return false;
    }
    return (styles.extended & kToolWindow) == 0 || (styles.style & kCaption) == kCaption;
}

bool WindowKindCache::MayJoinADesktop(WindowHandle window) {
    const auto [found, made] = answers_.TryEmplace(window, {});
    Answer& answer = *found;
    if (made || answer.lastAsked + 1 < refresh_) {
        // New, or left over from a window that a whole refresh did not meet: the handle may
        // name another window now.
        answer.mayJoin = Classify(window);
    }
    if (std::exchange(answer.lastAsked, refresh_) != refresh_) {
        ++askedNow_;
    }
    return answer.mayJoin;
}

void WindowKindCache::Refreshed() {
    if (answers_.Size() > 2 * askedNow_) {
        answers_.Retain([this](const Answer& answer) { return answer.lastAsked == refresh_; });
    }
    ++refresh_;
    askedNow_ = 0;
}

}  // namespace ombrel
