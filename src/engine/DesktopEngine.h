#pragma once

#include <cstdint>

#include "engine/DesktopWindows.h"
#include "engine/RecoveryList.h"
#include "engine/ShellWindows.h"
#include "engine/WindowKindCache.h"
#include "engine/WindowVisibility.h"
#include "platform/WindowSystem.h"

namespace ombrel {

class Form;

// The desktop engine: the window sets, their refresh from the screen, and the one command
// entry that switches desktops, sends windows and toggles the shell windows and the bar.
class DesktopEngine {
  public:
    DesktopEngine(WindowSystem& windows, Form& frmMain, RecoveryList& recovery);
    DesktopEngine(const DesktopEngine&) = delete;
    DesktopEngine& operator=(const DesktopEngine&) = delete;

    DesktopWindows& Sets() { return DesktopWindows_; }
    const DesktopWindows& Sets() const { return DesktopWindows_; }
    ShellWindows& Shell() { return shell_; }
    WindowVisibility& Visibility() { return visibility_; }

    // The current desktop index, kept as decimal text in the main window's Tag.
    int CurrentDesktop() const;

    // Whether a window may belong to a desktop: visible (or about to be, as we asked), not
    // cloaked, not part of the shell, not the bar itself.
    bool IsTaskWindow(WindowHandle hWnd);
    // Refills the set of desktop index from the windows that qualify now, in the system's order.
    void CollectDesktopWindows(std::int16_t index);
    bool EnumWindowsProc(WindowHandle hWnd, std::intptr_t lParam);

    // Runs one command; what it hid or showed is saved for recovery in one write.
    void SwitchDesktop(std::int16_t code);
    // Shows the bar if it was hidden.
    void ShowBar();
    // Shows every window we hid and the shell's windows, in their stacking order and without
    // moving the focus: for the way out.
    void RestoreAll();
    // Frames the button of desktop index with the marker.
    void SelectDesktopButton(std::int16_t index);

  private:
    void ToggleShellWindow(WindowHandle window, bool& shown);
    void SendForegroundWindow(int target);
    void SwitchTo(int target);
    void RunCommand(std::int16_t code);

    WindowSystem& windows_;
    Form& frmMain_;
    RecoveryList& recovery_;
    WindowVisibility visibility_;
    WindowKindCache windowKinds_;
    DesktopWindows DesktopWindows_;
    ShellWindows shell_;
};

}  // namespace ombrel
