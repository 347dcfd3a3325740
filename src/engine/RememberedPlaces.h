#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/Desktops.h"
#include "engine/KnownWindows.h"
#include "engine/PlaceMatching.h"
#include "model/WindowRule.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// Where windows were, kept from one start to the next: each window on a desktop (or pinned) has
// a record that follows it, and a window seen for the first time goes where its record says.
// Only the windows of this session's desktop, which the refresh finds, are placed or recorded.
// Each record serves one window in a run; a window without one of its own goes where its
// program's windows were when last seen, if they were all on one desktop then. Dialogs go with
// their owners and are not recorded.
class RememberedPlaces {
  public:
    static constexpr std::size_t kMaxRecords = 1000;
    static constexpr std::int64_t kDaysKept = 30;
    // How many looks after Ombrel first met a process its windows are still those of a program
    // started again (one that restores its windows takes a moment to open them all). Later, a
    // new window of a program already running opens where the user is, as without remembering.
    static constexpr unsigned kStartingLooks = 30;

    RememberedPlaces(WindowSystem& windows, KnownWindows& known)
        : windows_(windows), known_(known) {}
    RememberedPlaces(const RememberedPlaces&) = delete;
    RememberedPlaces& operator=(const RememberedPlaces&) = delete;

    bool On() const { return on_; }
    // Remembering begins from the records kept; those not met for kDaysKept days, and the least
    // recently met beyond kMaxRecords, are left out.
    void Begin(std::vector<PlaceRecord> records, std::int64_t today);
    // Nothing is placed or recorded any more.
    void End();

    // Where a window seen for the first time goes: where its own record says, else where its
    // program's windows last were together; none where nothing is remembered of it. Its record
    // serves no other window in this run.
    std::optional<WindowPlacement> PlaceOf(WindowHandle window);
    // After a refresh: every window on a desktop or pinned has a record, at its desktop now;
    // titles are read for a window that is new or moved, and for all with readTitles.
    void Meet(const Desktops& desktops, bool readTitles);
    // The session ends and every window is gathered on one desktop, which is not where they
    // belong: the records stay as they are until the user acts again (a cancelled sign-out).
    void Pause(bool paused) { paused_ = paused; }

    // Whether a record changed since the records were last taken.
    bool Changed() const { return changed_; }
    // Whether any window has a record now (its date moves on with the days).
    bool HoldsWindows() const { return !holdings_.empty(); }
    // The records to keep, the most recently met first, those met since last taken dated
    // today, bounded as Begin bounds them.
    std::vector<PlaceRecord> Records(std::int64_t today);

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    // The desktop of a record whose window no look has found yet.
    static constexpr int kNoDesktopYet = -2;
    struct Kept {
        PlaceRecord record;
        bool used = false;  // it served a window in this run
        bool met = false;   // since the records were last taken
        WindowHandle holder = WindowHandle::None;
    };
    struct Holding {
        std::uint32_t processId = 0;
        std::size_t record = kNone;  // kNone: a window that is not recorded
    };

    // Whether the window is one to have a record.
    bool Recorded(WindowHandle window);
    WindowTraits Describe(WindowHandle window);
    // The window's record: an unused one of its own, else one that a closed window of its
    // program left, else a new one; true where it was its own.
    std::pair<std::size_t, bool> Adopt(WindowHandle window, const WindowTraits& traits);
    // A window met for the first time in this run: its holding (not recorded when owned).
    Holding Enlist(WindowHandle window);
    void Release(WindowHandle window);
    // Drops the old and the surplus, and finds each held window's record again.
    void Bound(std::int64_t today);
    // Where each program's windows were, from the records met last.
    void LearnProgramDesktops();
    // Whether the process is a program started again: met first within kStartingLooks.
    bool JustStarted(std::uint32_t processId);
    // Whether a window of the program other than this one is recorded on a desktop now.
    bool ProgramOpen(const std::u16string& programKey, WindowHandle except) const;

    WindowSystem& windows_;
    KnownWindows& known_;
    bool on_ = false;
    bool paused_ = false;
    bool changed_ = false;
    std::vector<Kept> kept_;
    std::unordered_map<WindowHandle, Holding> holdings_;
    // How many windows of each program and class appeared in this run.
    std::unordered_map<std::u16string, int> appeared_;
    // The one desktop (or kPinned) of each program's windows when last seen; none for a
    // program whose windows were on several.
    std::unordered_map<std::u16string, int> programDesktops_;
    // The look at which each process was first met in this run, and the looks so far.
    std::unordered_map<std::uint32_t, unsigned> processesMet_;
    unsigned looks_ = 0;
};

}  // namespace ombrel
