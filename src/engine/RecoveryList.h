#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Log.h"
#include "platform/Registry.h"
#include "platform/RunningProcess.h"
#include "platform/WindowSystem.h"
#include "text/Texts.h"

namespace ombrel {

// The windows this program has hidden and not shown again, each with its desktop, and the
// current desktop, kept in a volatile per-user key
// (HKEY_CURRENT_USER\Software\Kelvora\Recovery\<session id>) as they change. If the program
// dies without its shut-down, its guard shows them at once and the next start in the session
// puts them back on their desktops: a killed or crashed switcher loses no window, nor the
// user's arrangement. Each log-on session of the user (a second one through fast
// user switching or a remote desktop) has its own instance and its own list, in which alone
// the handles mean something; the key ends with the log-on.
class RecoveryList {
  public:
    static constexpr int kNoDesktop = -1;
    struct Entry {
        WindowHandle window;
        std::uint32_t processId;   // guards against a handle that now names another window
        int desktop = kNoDesktop;  // the desktop index it belongs to; none for the shell's
    };
    // What an instance that ended without its shut-down left: its windows that still exist and
    // are the same windows, and the desktop that was current.
    struct Arrangement {
        std::vector<Entry> windows;
        int current = 0;
    };

    RecoveryList(Registry& registry, WindowSystem& windows, Log& log, const Texts& texts,
                 RunningProcess& process);

    // Whether the list's writer is another instance that still runs: its list is not ours to
    // take, whatever told us we were the first.
    bool WriterRuns();
    // Names this process as the list's writer; at start-up, once what was left is worked off.
    void Claim();

    // One registry write for the whole list: this process as its writer, each window with the
    // process it belonged to and its desktop, and the current desktop.
    void Save(std::span<const Entry> hidden, int current);
    // Removes the list; after an orderly shut-down nothing is left to recover.
    void Remove();
    // Takes over what an instance that ended without its shut-down left: shows the desktop
    // icons, the taskbar and every listed window of the current desktop or of none, removes
    // the list, and returns the arrangement for the engine to put back. None when there was no
    // list, or one that cannot be read (dropped), or one whose writer still runs (left alone).
    std::optional<Arrangement> TakeOver();
    // What the list holds; empty when there is none or it cannot be read.
    std::vector<Entry> Read();
    // For the guard, once the instance it watched has ended: if that instance left its list
    // (it did not end in order), shows every listed window that still exists, is the same
    // window and is hidden, where it stands and without activating anything, then the icons
    // and the taskbar; the list stays for the next start. Nothing for a list another instance
    // writes. Returns the windows shown.
    std::size_t ShowAfterDeathOf(const ProcessIdentity& writer);

  private:
    // The list as one read of one value gives it: who wrote it, and what it holds.
    struct Stored {
        std::optional<ProcessIdentity> writer;  // none for a list that names nobody
        Arrangement arrangement;
    };
    // None when there is no list or it cannot be read.
    std::optional<Stored> ReadList();
    // Whether that writer is another instance that still runs.
    bool OtherInstanceRuns(const std::optional<ProcessIdentity>& writer);
    // The entries whose handle still names the window of the same process.
    std::vector<Entry> StillOurs(std::vector<Entry> entries);
    // Shows those of the entries (all still ours) that are hidden, then the desktop icons and
    // the taskbar; returns how many windows.
    std::size_t ShowListed(const std::vector<Entry>& entries);
    // One value of this session's list, written whole.
    SystemError WriteValue(std::u16string_view name, std::span<const std::byte> data);

    Registry& registry_;
    WindowSystem& windows_;
    Log& log_;
    const Texts& texts_;
    RunningProcess& process_;
    std::u16string key_;  // this session's
};

}  // namespace ombrel
