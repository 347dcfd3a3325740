// What the user asks of one window by the mouse, and a window that asks for the user.
#include <algorithm>
#include <utility>

#include "engine/DesktopEngine.h"
#include "engine/StackingOrder.h"

namespace ombrel {
namespace {

bool Holds(const WindowSet& set, WindowHandle window) {
    return std::find(set.begin(), set.end(), window) != set.end();
}

}  // namespace

void DesktopEngine::GoToWindow(WindowHandle window) {
    int desktop = 0;
    while (desktop < kDesktopCount && !Holds(DesktopWindows_[desktop], window)) {
        ++desktop;
    }
    if (desktop == kDesktopCount) {
        return;  // closed, pinned or refused since the menu was drawn
    }
    if (desktop != current_) {
        // Placed first among the entering windows, it is the one the switch hands the keyboard
        // to, with the right to take it that the user's choice in our menu gave us.
        SwitchTo(desktop, window);
    } else {
        // The choice in our menu left us in front, with the right to hand the front on.
        windows_.SetForegroundWindow(window);
    }
    if (windows_.IsMinimized(window)) {
        // Chosen to work in: it comes back to its size, as from its taskbar button.
        windows_.AllowForeground(window);
        ShowOrHideWithoutWaiting(windows_, window, ShowCommand::Restore);
    }
    SaveRecoveryIfChanged();
    ReportDesktops();
}

void DesktopEngine::SendWindowTo(WindowHandle window, int target) {
    if (!IsDesktopIndex(target) || target == current_) {
        return;
    }
    SendFamily(FamilyOf(window), target, false);
    SaveRecoveryIfChanged();
    ReportDesktops();
}

void DesktopEngine::WindowWantsAttention(WindowHandle window) {
    if (window == WindowHandle::None) {
        return;
    }
    // A dialog that flashes may not have joined its program's set yet: its program's window
    // tells the desktop.
    const WindowHandle root = windows_.RootOwner(window);
    for (int index = 0; index < kDesktopCount; ++index) {
        const WindowSet& set = DesktopWindows_[index];
        if (!Holds(set, window) && !Holds(set, root)) {
            continue;
        }
        // The user sees the current desktop's windows flash for himself.
        if (index != current_) {
            WindowHandle& asking = attention_[static_cast<std::size_t>(index)];
            const bool wasMarked = asking != WindowHandle::None;
            const WindowHandle before = std::exchange(asking, Holds(set, window) ? window : root);
            if (!wasMarked) {
                bar_.ShowDesktopWantsAttention(index, true);
            }
            if (asking != before) {
                Announce({Change::Kind::Attention,
                          index,
                          {asking},
                          false,
                          windows_.WindowTitle(asking)});
            }
        }
        return;
    }
}

std::optional<std::u16string> DesktopEngine::AttentionTitle(int index) {
    const WindowHandle asking = AttentionOf(index);
    if (asking == WindowHandle::None) {
        return std::nullopt;
    }
    return windows_.WindowTitle(asking);
}

void DesktopEngine::ForgetStaleAttention() {
    for (int index = 0; index < kDesktopCount; ++index) {
        const WindowHandle asking = attention_[static_cast<std::size_t>(index)];
        // Closed, sent elsewhere or shown again by its program: it no longer asks from there.
        if (asking != WindowHandle::None && !Holds(DesktopWindows_[index], asking)) {
            ClearAttention(index);
        }
    }
}

void DesktopEngine::ClearAttention(int index) {
    WindowHandle& asking = attention_[static_cast<std::size_t>(index)];
    if (asking != WindowHandle::None) {
        asking = WindowHandle::None;
        bar_.ShowDesktopWantsAttention(index, false);
    }
}

}  // namespace ombrel
