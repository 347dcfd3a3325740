#include "engine/ShellWindows.h"

#include <algorithm>

#include "engine/StackingOrder.h"
#include "text/Texts.h"

namespace ombrel {

void ShellWindows::Find() {
    hProgMan_ = FindDesktopIcons();
    hTrayWnd_ = windows_.FindWindowByClass(kTaskbarClass);
}

std::vector<WindowHandle> ShellWindows::Taskbars() const {
    std::vector<WindowHandle> all{hTrayWnd_};
    all.insert(all.end(), secondaryTaskbars_.begin(), secondaryTaskbars_.end());
    return all;
}

bool ShellWindows::IsOneOfThem(WindowHandle window) const {
    return window == hProgMan_ || window == hTrayWnd_ ||
           std::find(secondaryTaskbars_.begin(), secondaryTaskbars_.end(), window) !=
               secondaryTaskbars_.end();
}

void ShellWindows::ToggleDesktopIcons() {
    if (desktopIconsShown_) {
        // The shell moves the icons between windows as it likes: hide where they are now.
        hProgMan_ = FindDesktopIcons();
        visibility_.Hide(hProgMan_);
    } else {
        visibility_.Show(hProgMan_);
    }
    desktopIconsShown_ = !desktopIconsShown_;
}

void ShellWindows::ToggleTaskbar() {
    if (taskbarShown_) {
        secondaryTaskbars_ = FindWindowsByClass(kSecondaryTaskbarClass);
    }
    for (WindowHandle taskbar : Taskbars()) {
        if (taskbarShown_) {
            visibility_.Hide(taskbar);
        } else {
            visibility_.Show(taskbar);
        }
    }
    taskbarShown_ = !taskbarShown_;
}

WindowHandle ShellWindows::FindDesktopIcons() {
    const WindowHandle progman = windows_.FindWindowByClass(kDesktopIconsClass);
    if (windows_.FindChildByClass(progman, kIconViewClass) != WindowHandle::None) {
        return progman;
    }
    WindowHandle holder = WindowHandle::None;
    windows_.EnumWindows([this, &holder](WindowHandle window) {
        if (windows_.ClassName(window) == kWorkerClass &&
            windows_.FindChildByClass(window, kIconViewClass) != WindowHandle::None) {
            holder = window;
        }
        return holder == WindowHandle::None;
    });
    // Without the view (an older shell, or none): Progman is the desktop.
    return holder != WindowHandle::None ? holder : progman;
}

std::vector<WindowHandle> ShellWindows::FindWindowsByClass(std::u16string_view className) {
    std::vector<WindowHandle> found;
    windows_.EnumWindows([&](WindowHandle window) {
        if (windows_.ClassName(window) == className) {
            found.push_back(window);
        }
        return true;
    });
    return found;
}

void ShellWindows::Restarted() {
    log_.Write(texts_.Text(TextId::ShellRestarted));
    lookoutsLeft_ = kShellLookouts;
    HideWhatTheUserHid();
}

void ShellWindows::Refreshed() {
    if (lookoutsLeft_ > 0) {
        --lookoutsLeft_;
        if (!desktopIconsShown_ || !taskbarShown_) {
            HideWhatTheUserHid();
        }
    }
}

void ShellWindows::HideWhatTheUserHid() {
    // New windows, shown by their shell; what the user had hidden goes again.
    Find();
    std::vector<WindowHandle> hidden;
    if (!desktopIconsShown_) {
        hidden.push_back(hProgMan_);
    }
    if (!taskbarShown_) {
        secondaryTaskbars_ = FindWindowsByClass(kSecondaryTaskbarClass);
        const std::vector<WindowHandle> taskbars = Taskbars();
        hidden.insert(hidden.end(), taskbars.begin(), taskbars.end());
    }
    for (WindowHandle window : hidden) {
        if (windows_.IsWindowVisible(window)) {
            visibility_.Hide(window);
        }
    }
}

void ShellWindows::ShowAll() {
    visibility_.Show(hProgMan_, WindowVisibility::Focus::Leave);
    for (WindowHandle taskbar : Taskbars()) {
        visibility_.Show(taskbar, WindowVisibility::Focus::Leave);
    }
}

void ShellWindows::ShowNow() noexcept {
    windows_.ShowWindowAsync(hProgMan_, ShowCommand::ShowNoActivate);
    windows_.ShowWindowAsync(hTrayWnd_, ShowCommand::ShowNoActivate);
    for (WindowHandle taskbar : secondaryTaskbars_) {
        windows_.ShowWindowAsync(taskbar, ShowCommand::ShowNoActivate);
    }
}

}  // namespace ombrel
