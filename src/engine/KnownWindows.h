#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/WindowSystem.h"

namespace ombrel {

// What Ombrel knows of one window. A handle names the same window only while it belongs to the
// same process: an entry whose process differs from the window's now is of a window that closed,
// and is never taken for the new one.
struct KnownWindow {
    // Where it belongs when not on a desktop: a desktop's own windows are in that desktop's set.
    enum class Place {
        Desktop,  // on the desktop whose set holds it, or not placed yet
        Pinned,   // on every desktop
        Ignored,  // left alone by a rule: never hidden nor listed
        Refused,  // its program refused to let us hide it: on every desktop, in no set
    };
    // A show or hide we asked for that its program has not been seen to carry out.
    struct Asked {
        bool visible;
        bool probed = false;    // a probe went out after the request
        bool answered = false;  // its program took its messages after the request
        // Our requests its program may not have carried out yet, this one included. A look
        // that finds the window as this one asks proves it done only when it is the one
        // request: an earlier one may have just landed, with the others still to come.
        int waiting = 1;
    };

    std::uint32_t processId = 0;
    Place place = Place::Desktop;
    bool seen = false;    // a refresh saw it: the rules had their say
    bool hidden = false;  // we hid it and have not shown it again
    // A look found it hidden since we hid it: were it visible again, its program showed it, and
    // it is the program's to hide from then on. Until then a window seen visible may be one
    // whose hide is still on its way.
    bool hideSeen = false;
    std::optional<Asked> asked;
    // How many refreshes looked again at a store app's frame that showed no app yet.
    int frameLooks = 0;
    // The file name of its program, asked once: a window does not change programs (a store
    // app's frame is asked again until it shows its app).
    std::u16string program;
    // When it was last seen in front, as the table's count of changes of the front; 0: never.
    std::uint64_t lastActive = 0;
    // The walk that last met it; see KnownWindows::ForgetUnmet.
    std::uint64_t metByWalk = 0;
    // The refresh at which we last followed it to its desktop or hid it again when its program
    // brought it up there; 0: never.
    std::uint64_t broughtUpAt = 0;
};

// The one table of the windows Ombrel knows, by handle.
class KnownWindows {
  public:
    explicit KnownWindows(WindowSystem& windows) : windows_(windows) {}
    KnownWindows(const KnownWindows&) = delete;
    KnownWindows& operator=(const KnownWindows&) = delete;

    // The entry, whatever its process; null when there is none. For the walks that then check
    // the process only where it matters.
    KnownWindow* Entry(WindowHandle window);
    const KnownWindow* Entry(WindowHandle window) const;
    // The entry for the window as it is now, made where there is none or it was stale.
    KnownWindow& Note(WindowHandle window);
    // As Note, for a window known to belong to the process (a recovery list's record).
    KnownWindow& NoteAs(WindowHandle window, std::uint32_t processId);
    // Drops the entry; true where we had hidden the window.
    bool Forget(WindowHandle window);

    bool Is(WindowHandle window, KnownWindow::Place place);
    bool IsPinned(WindowHandle window) { return Is(window, KnownWindow::Place::Pinned); }
    bool IsIgnored(WindowHandle window) { return Is(window, KnownWindow::Place::Ignored); }
    // Whether its program refused a hide; no process is asked.
    bool IsRefused(WindowHandle window) const;
    // Whether a refresh saw this very window before.
    bool Seen(WindowHandle window);
    // Whether we hid the window and have not shown it again; no process is asked.
    bool HiddenByUs(WindowHandle window) const;
    std::size_t HiddenCount() const { return hiddenCount_; }

    // The windows stay on every desktop, seen already.
    void Pin(std::span<const WindowHandle> family);
    // The pinned windows of the root owner's program belong to a desktop again; returned in
    // the order of their handles.
    std::vector<WindowHandle> UnpinFamilyOf(WindowHandle root);
    // The windows on every desktop, each once.
    std::vector<WindowHandle> PinnedWindows() const;
    // Each window we hid with its process; for the crash path too: nothing is allocated.
    template <class Visit>
    void ForEachHidden(Visit&& visit) const noexcept {
        for (const auto& [window, known] : entries_) {
            if (known.hidden) {
                visit(window, known.processId);
            }
        }
    }
    template <class Visit>
    void ForEach(Visit&& visit) {
        for (auto& [window, known] : entries_) {
            visit(window, known);
        }
    }
    // A walk of every window begins; it marks with Met the entry of each window it meets.
    void BeginWalk() {
        ++walks_;
        metInWalk_ = 0;
    }
    void Met(KnownWindow& known) {
        if (std::exchange(known.metByWalk, walks_) != walks_) {
            ++metInWalk_;
        }
    }
    // What the last walk did not meet has closed: forgotten, but for a window we hid, which a
    // later show or the recovery list still needs.
    void ForgetUnmet();

    // The file name of the window's program; see KnownWindow::program.
    std::u16string ProgramName(WindowHandle window);
    // The window is in front now: it becomes the most recently used.
    void Activated(WindowHandle window);
    std::uint64_t LastActive(WindowHandle window) const {
        const KnownWindow* known = Entry(window);
        return known != nullptr ? known->lastActive : 0;
    }

    // Marks a change of the hidden ones: grown when a window is hidden that was not.
    void SetHidden(KnownWindow& known, bool hidden);
    // Whether the hidden windows grew, or changed at all, since last taken.
    bool HiddenGrew() const { return grew_; }
    bool HiddenChanged() const { return changed_; }
    void TakeHiddenChanges() { grew_ = changed_ = false; }

  private:
    WindowSystem& windows_;
    std::unordered_map<WindowHandle, KnownWindow> entries_;
    std::size_t hiddenCount_ = 0;
    std::uint64_t activations_ = 0;
    std::uint64_t walks_ = 0;
    std::size_t metInWalk_ = 0;  // entries the walk met, each once
    WindowHandle lastActivated_ = WindowHandle::None;
    bool grew_ = false;
    bool changed_ = false;
};

}  // namespace ombrel
