#include "engine/KnownWindows.h"

#include <algorithm>

namespace ombrel {

KnownWindow* KnownWindows::Entry(WindowHandle window) {
    const auto found = entries_.find(window);
    return found != entries_.end() ? &found->second : nullptr;
}

const KnownWindow* KnownWindows::Entry(WindowHandle window) const {
    const auto found = entries_.find(window);
    return found != entries_.end() ? &found->second : nullptr;
}

std::u16string KnownWindows::ProgramName(WindowHandle window) {
    KnownWindow& known = Note(window);
    if (known.program.empty()) {
        std::u16string name = windows_.ProcessNameOf(window);
        if (name == WindowSystem::kStoreAppFrameProgram) {
            return name;
        }
        known.program = std::move(name);
    }
    return known.program;
}

KnownWindow& KnownWindows::Note(WindowHandle window) {
    return NoteAs(window, windows_.ProcessIdOf(window));
}

KnownWindow& KnownWindows::NoteAs(WindowHandle window, std::uint32_t processId) {
    if (KnownWindow* known = Entry(window); known != nullptr && known->processId != processId) {
        // Another program's window now: what was known was of one that closed.
        if (known->hidden) {
            SetHidden(*known, false);
        }
        *known = {};
        known->processId = processId;
        return *known;
    }
    KnownWindow& known = entries_[window];
    known.processId = processId;
    return known;
}

bool KnownWindows::Forget(WindowHandle window) {
    const auto found = entries_.find(window);
    if (found == entries_.end()) {
        return false;
    }
    const bool wasHidden = found->second.hidden;
    if (wasHidden) {
        SetHidden(found->second, false);
    }
    if (found->second.metByWalk == walks_ && metInWalk_ > 0) {
        --metInWalk_;  // counted by the walk under way
    }
    entries_.erase(found);
    return wasHidden;
}

bool KnownWindows::Is(WindowHandle window, KnownWindow::Place place) {
    const KnownWindow* known = Entry(window);
    return known != nullptr && known->place == place &&
           windows_.ProcessIdOf(window) == known->processId;
}

bool KnownWindows::IsRefused(WindowHandle window) const {
    const KnownWindow* known = Entry(window);
    return known != nullptr && known->place == KnownWindow::Place::Refused;
}

bool KnownWindows::Seen(WindowHandle window) {
    const KnownWindow* known = Entry(window);
    return known != nullptr && known->seen && windows_.ProcessIdOf(window) == known->processId;
}

bool KnownWindows::HiddenByUs(WindowHandle window) const {
    const KnownWindow* known = Entry(window);
    return known != nullptr && known->hidden;
}

std::vector<WindowHandle> KnownWindows::PinnedWindows() const {
    std::vector<WindowHandle> pinned;
    for (const auto& [window, known] : entries_) {
        if (known.place == KnownWindow::Place::Pinned) {
            pinned.push_back(window);
        }
    }
    std::sort(pinned.begin(), pinned.end());
    return pinned;
}

void KnownWindows::ForgetUnmet() {
    // Marked by the walk itself: no list of the windows met, no lookup for each entry, and no
    // pass at all while the walk met every window known.
    if (metInWalk_ == entries_.size()) {
        return;
    }
    std::erase_if(entries_, [this](const auto& entry) {
        return !entry.second.hidden && entry.second.metByWalk != walks_;
    });
}

void KnownWindows::Activated(WindowHandle window) {
    if (window == WindowHandle::None || window == lastActivated_) {
        return;
    }
    lastActivated_ = window;
    Note(window).lastActive = ++activations_;
}

void KnownWindows::SetHidden(KnownWindow& known, bool hidden) {
    if (known.hidden == hidden) {
        return;
    }
    known.hidden = hidden;
    known.hideSeen = false;
    changed_ = true;
    if (hidden) {
        grew_ = true;
        ++hiddenCount_;
    } else {
        --hiddenCount_;
    }
}

void KnownWindows::Pin(std::span<const WindowHandle> family) {
    for (WindowHandle window : family) {
        KnownWindow& known = Note(window);
        known.place = KnownWindow::Place::Pinned;
        known.seen = true;
    }
}

std::vector<WindowHandle> KnownWindows::UnpinFamilyOf(WindowHandle root) {
    std::vector<WindowHandle> family;
    for (WindowHandle window : PinnedWindows()) {
        if (windows_.RootOwner(window) == root) {
            entries_[window].place = KnownWindow::Place::Desktop;
            family.push_back(window);
        }
    }
    return family;
}

}  // namespace ombrel
