// Windows brought up or flashing on other desktops: where they go, and the marks on the bar.
#include "engine/DesktopEngine.h"

namespace ombrel {

void DesktopEngine::ActOnBroughtUp(std::span<const BroughtUp> broughtUp) {
    const ActivationPolicy::Decisions decided = activation_.Decide(broughtUp, firstSight_.Rules());
    if (!decided.join.empty()) {
        // They appeared here, for those who follow: as a new window would.
        Announce({Change::Kind::Open, CurrentDesktop(), decided.join});
    }
    std::vector<WindowHandle> hiding;
    for (const BroughtUp& window : decided.mark) {
        GiveToDesktop({&window.window, 1}, window.desktop);
        // Where we follow another window, it comes back with that desktop anyway.
        if (!decided.follow || decided.follow->desktop != window.desktop) {
            hiding.push_back(window.window);
        }
    }
    if (!hiding.empty()) {
        HideListed(hiding);
        for (WindowHandle window : hiding) {
            WindowWantsAttention(window);
        }
    }
    if (decided.follow) {
        GiveToDesktop({&decided.follow->window, 1}, decided.follow->desktop);
        SwitchDesktop(decided.follow->desktop, decided.follow->window);
    }
}

void DesktopEngine::WindowWantsAttention(WindowHandle window) {
    if (window == WindowHandle::None) {
        return;
    }
    // A dialog that flashes may not have joined its program's set yet: its program's window
    // tells the desktop. The user sees the current desktop's windows flash for himself.
    const std::optional<Desktops::AttentionMark> mark =
        desktops_.MarkAttention(window, windows_.RootOwner(window));
    if (!mark) {
        return;
    }
    if (mark->newlyMarked) {
        bar_.ShowDesktopWantsAttention(mark->desktop, true);
    }
    if (mark->askingChanged) {
        Announce({Change::Kind::Attention,
                  mark->desktop,
                  {mark->asking},
                  false,
                  windows_.WindowTitle(mark->asking)});
    }
}

std::optional<std::u16string> DesktopEngine::AttentionTitle(int index) {
    const WindowHandle asking =
        IsDesktopIndex(index) ? desktops_[index].Attention() : WindowHandle::None;
    if (asking == WindowHandle::None) {
        return std::nullopt;
    }
    return windows_.WindowTitle(asking);
}

void DesktopEngine::ForgetStaleAttention() {
    for (int index : desktops_.ForgetStaleAttention()) {
        bar_.ShowDesktopWantsAttention(index, false);
    }
}

void DesktopEngine::ClearAttention(int index) {
    if (desktops_[index].ClearAttention()) {
        bar_.ShowDesktopWantsAttention(index, false);
    }
}

}  // namespace ombrel
