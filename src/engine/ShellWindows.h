#pragma once

#include <string_view>
#include <vector>

#include "engine/WindowVisibility.h"
#include "platform/Log.h"
#include "platform/WindowSystem.h"
#include "text/Texts.h"

namespace ombrel {

// The window classes they are found by.
inline constexpr std::u16string_view kDesktopIconsClass = u"Progman";
inline constexpr std::u16string_view kTaskbarClass = u"Shell_TrayWnd";
// The taskbar of each further screen.
inline constexpr std::u16string_view kSecondaryTaskbarClass = u"Shell_SecondaryTrayWnd";
// The view that holds the icons: a child of Progman, or of a WorkerW once the shell has moved
// it there (a wallpaper slide show, a peek at the desktop).
inline constexpr std::u16string_view kIconViewClass = u"SHELLDLL_DefView";
inline constexpr std::u16string_view kWorkerClass = u"WorkerW";

// The shell's windows that the user may hide: the one that holds the desktop icons and the
// taskbars, as last found, and whether we last showed them. Both count as shown at start,
// whatever the windows' real state.
class ShellWindows {
  public:
    // How many refreshes after a restart of the shell its windows are looked for again.
    static constexpr int kShellLookouts = 10;

    ShellWindows(WindowSystem& windows, WindowVisibility& visibility, Log& log, const Texts& texts)
        : windows_(windows), visibility_(visibility), log_(log), texts_(texts) {}

    // Finds the taskbar and the window that holds the desktop icons as the shell has them now.
    void Find();
    WindowHandle DesktopIcons() const { return hProgMan_; }
    WindowHandle Taskbar() const { return hTrayWnd_; }
    std::vector<WindowHandle> Taskbars() const;
    bool DesktopIconsShown() const { return desktopIconsShown_; }
    bool TaskbarShown() const { return taskbarShown_; }
    bool IsOneOfThem(WindowHandle window) const;

    // Each hides what is shown, or shows it again; the flag flips whatever the calls return: it
    // records what we asked for last.
    void ToggleDesktopIcons();
    void ToggleTaskbar();
    // The window where a click on the desktop sends the keys: the one that holds the icons now.
    WindowHandle FindDesktopIcons();

    // The shell started again (Explorer restarted): its windows are new; what the user had
    // hidden of them is hidden again, now and for a few refreshes, for the shell announces
    // itself before its desktop window is there.
    void Restarted();
    void Refreshed();
    // Shows them where they stand, without moving the focus: for the way out.
    void ShowAll();
    // The same from the record alone, without waiting on anybody: the process is dying.
    void ShowNow() noexcept;

  private:
    std::vector<WindowHandle> FindWindowsByClass(std::u16string_view className);
    void HideWhatTheUserHid();

    WindowSystem& windows_;
    WindowVisibility& visibility_;
    Log& log_;
    const Texts& texts_;
    WindowHandle hProgMan_ = WindowHandle::None;
    bool desktopIconsShown_ = true;
    WindowHandle hTrayWnd_ = WindowHandle::None;
    // The other screens' taskbars, which go and come back with the main one.
    std::vector<WindowHandle> secondaryTaskbars_;
    bool taskbarShown_ = true;
    int lookoutsLeft_ = 0;
};

}  // namespace ombrel
