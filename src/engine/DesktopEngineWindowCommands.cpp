// The commands that move one window's family: send, move, pin, go to, bring, gather.
#include "engine/DesktopEngine.h"

namespace ombrel {

bool DesktopEngine::SendFamily(const std::vector<WindowHandle>& family, int target, bool follow) {
    if (family.empty()) {
        return false;
    }
    if (CurrentDesktop() == target) {
        return true;  // where it was asked to be
    }
    GiveToDesktop(family, target);
    Announce({follow ? Change::Kind::Move : Change::Kind::Send, target, family});
    if (follow) {
        // Out of the leaving set before the switch: the family stays on the screen all the
        // way, and arrives on top with the keyboard.
        SwitchDesktop(target);
        return true;
    }
    // The foreground window goes last, so the system hands the focus to a window of this
    // desktop only once the whole family is gone.
    HideListed(family);
    return true;
}

bool DesktopEngine::Pin() {
    // Out of every set: no switch hides it, and it keeps its place in the stacking order.
    const std::vector<WindowHandle> family = filter_.FamilyOf(windows_.GetForegroundWindow());
    if (family.empty()) {
        return false;
    }
    desktops_.RemoveEverywhere(family);
    known_.Pin(family);
    Announce({Change::Kind::Pin, -1, family});
    return true;
}

bool DesktopEngine::Unpin() {
    const WindowHandle foreground = windows_.GetForegroundWindow();
    if (!known_.IsPinned(foreground)) {
        return false;
    }
    const std::vector<WindowHandle> family = known_.UnpinFamilyOf(windows_.RootOwner(foreground));
    desktops_.Current().Add(family);
    Announce({Change::Kind::Unpin, CurrentDesktop(), family});
    return true;
}

bool DesktopEngine::GoToWindow(WindowHandle window) {
    const std::optional<int> desktop = desktops_.DesktopOf(window);
    if (!desktop && !known_.IsPinned(window)) {
        return false;  // closed or refused since the menu was drawn, or never ours
    }
    if (desktop && *desktop != CurrentDesktop()) {
        // Placed first among the entering windows, it is the one the switch hands the keyboard
        // to, with the right to take it that the user's choice in our menu gave us.
        SwitchDesktop(*desktop, window);
    } else {
        // The choice in our menu left us in front, with the right to hand the front on.
        windows_.SetForegroundWindow(window);
    }
    RestoreIfMinimized(window);
    return true;
}

bool DesktopEngine::BringWindow(WindowHandle window) {
    const std::optional<int> desktop = desktops_.DesktopOf(window);
    if (!desktop || *desktop == CurrentDesktop()) {
        return GoToWindow(window);  // here already, pinned, or not ours
    }
    // Its program's other windows on that desktop come along, as a send takes them.
    const WindowHandle root = windows_.RootOwner(window);
    std::vector<WindowHandle> family{window};
    for (WindowHandle member : desktops_[*desktop].Windows()) {
        if (member != window && windows_.RootOwner(member) == root) {
            family.push_back(member);
        }
    }
    GiveToDesktop(family, CurrentDesktop());
    Announce({Change::Kind::Send, CurrentDesktop(), family});
    visibility_.ShowAll(family, WindowVisibility::Focus::Take);
    RestoreIfMinimized(window);
    return true;
}

void DesktopEngine::RestoreIfMinimized(WindowHandle window) {
    if (windows_.IsMinimized(window)) {
        // Chosen to work in: it comes back to its size, as from its taskbar button.
        windows_.AllowForeground(window);
        ShowOrHideWithoutWaiting(windows_, window, ShowCommand::Restore);
    }
}

void DesktopEngine::GatherEveryWindow() {
    std::vector<WindowHandle> gathered;
    for (int index = 0; index < kDesktopCount; ++index) {
        if (index != CurrentDesktop()) {
            const WindowSet windows = desktops_[index].TakeAll();
            gathered.insert(gathered.end(), windows.begin(), windows.end());
        }
    }
    Desktop& current = desktops_.Current();
    current.Add(gathered);
    stacking_.Take(windows_);
    current.Restack(stacking_);
    visibility_.ShowAll(gathered, WindowVisibility::Focus::Leave);
    for (int index = 0; index < kDesktopCount; ++index) {
        ClearAttention(index);
    }
    if (!gathered.empty()) {
        Announce({Change::Kind::Send, CurrentDesktop(), gathered});
    }
}

}  // namespace ombrel
