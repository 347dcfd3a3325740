#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Log.h"
#include "platform/Registry.h"
#include "platform/RunningProcess.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// The windows this program has hidden and not shown again, kept in a volatile per-user key
// (HKEY_CURRENT_USER\Software\Kelvora\Recovery\<session id>) as they change. If the program
// dies without its shut-down, the next start in the session shows them again: a killed or
// crashed switcher loses no window. Each log-on session of the user (a second one through fast
// user switching or a remote desktop) has its own instance and its own list, in which alone
// the handles mean something; the key ends with the log-on.
class RecoveryList {
  public:
    struct Entry {
        WindowHandle window;
        std::uint32_t processId;  // guards against a handle that now names another window
    };

    RecoveryList(Registry& registry, WindowSystem& windows, Log& log, RunningProcess& process);

    // Whether the list's writer is another instance that still runs: its list is not ours to
    // take, whatever told us we were the first.
    bool WriterRuns();
    // Names this process as the list's writer; at start-up, once what was left is worked off.
    void Claim();

    // One registry write for the whole list: each window with the process it belonged to.
    void Save(const std::map<WindowHandle, std::uint32_t>& hidden);
    // Removes the list; after an orderly shut-down nothing is left to recover.
    void Remove();
    // Shows every listed window that still exists, is the same window and is hidden, then the
    // desktop icons and the taskbar, and removes the list. A list that cannot be read is
    // dropped; a list whose writer still runs is left alone. Returns the windows shown.
    std::size_t WorkOff();
    // What the list holds; empty when there is none or it cannot be read.
    std::vector<Entry> Read();
    // For the guard, once the instance it watched has ended: if that instance left its list
    // (it did not end in order), shows every listed window that still exists, is the same
    // window and is hidden, where it stands and without activating anything, then the icons
    // and the taskbar; the list stays for the next start. Nothing for a list another instance
    // writes. Returns the windows shown.
    std::size_t ShowAfterDeathOf(const ProcessIdentity& writer);

  private:
    // The writer the list names; none when there is no list or it names nobody.
    std::optional<ProcessIdentity> Writer();
    // Shows what ShowAfterDeathOf and WorkOff show; returns how many windows.
    std::size_t ShowListed(const std::vector<Entry>& entries);

    Registry& registry_;
    WindowSystem& windows_;
    Log& log_;
    RunningProcess& process_;
    std::u16string key_;  // this session's
};

}  // namespace ombrel
