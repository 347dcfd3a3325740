#include "engine/DesktopRefresh.h"

namespace ombrel {

RefreshOutcome DesktopRefresh::Run(Desktops& desktops, bool ages, bool tellChanges,
                                   const HideLeaving& hideLeaving) {
    if (ages) {
        shell_.Refreshed();
    }
    std::vector<WindowHandle> inSetsBefore;
    if (tellChanges) {
        for (const Desktop& desktop : desktops) {
            inSetsBefore.insert(inSetsBefore.end(), desktop.Windows().begin(),
                                desktop.Windows().end());
        }
    }
    WalkFindings found = walk_.Walk(desktops);
    // After the sets are settled: a window a rule sends away joins its set here.
    PlaceFirstSeen(desktops, found.firstSeen, ages, hideLeaving);
    desktops.Current().Add(found.strays);
    for (WindowHandle window : found.strays) {
        visibility_.Show(window, WindowVisibility::Focus::Leave);
    }
    RefreshOutcome outcome{{}, std::move(found.broughtUp)};
    if (tellChanges) {
        outcome.changes = walk_.OpenedAndClosed(desktops, inSetsBefore);
    }
    if (ages) {
        visibility_.Refreshed();
        filter_.Refreshed();
        GiveTheKeyboardBack(desktops.Current());
    }
    return outcome;
}

void DesktopRefresh::PlaceFirstSeen(Desktops& desktops, std::span<const WindowHandle> firstSeen,
                                    bool ages, const HideLeaving& hideLeaving) {
    std::vector<WindowHandle> leaving;
    for (const auto& [window, placement] :
         firstSight_.Place(firstSeen, desktops.CurrentIndex(), ages)) {
        desktops.Current().Remove(window);
        switch (placement.kind) {
            case WindowPlacement::Kind::Desktop:
                desktops[placement.desktop].Add(window);
                leaving.push_back(window);
                break;
            case WindowPlacement::Kind::Pin:
                known_.Note(window).place = KnownWindow::Place::Pinned;
                break;
            case WindowPlacement::Kind::Ignore:
                known_.Note(window).place = KnownWindow::Place::Ignored;
                break;
        }
    }
    if (!leaving.empty()) {
        hideLeaving(leaving);
    }
}

void DesktopRefresh::GiveTheKeyboardBack(const Desktop& current) {
    if (!windows_.IsFocusHolder(windows_.GetForegroundWindow())) {
        return;
    }
    for (WindowHandle window : current.Windows()) {
        if (windows_.IsWindowVisible(window) && !windows_.IsMinimized(window) &&
            !windows_.IsHung(window)) {
            windows_.SetForegroundWindow(window);
            return;
        }
    }
    if (const WindowHandle desktop = shell_.FindDesktopIcons(); windows_.IsWindowVisible(desktop)) {
        windows_.SetForegroundWindow(desktop);
    }
}

}  // namespace ombrel
