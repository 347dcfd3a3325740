#pragma once

#include <cstdint>
#include <string>

#include "platform/SystemError.h"

namespace ombrel {

// What the system answers for a created object that exists already (ERROR_ALREADY_EXISTS),
// and for one whose creator has more rights than we do (ERROR_ACCESS_DENIED).
inline constexpr std::uint32_t kErrorObjectExists = 183;
inline constexpr std::uint32_t kErrorObjectRefused = 5;

// Whether taking this session's instance object says that another instance runs: it exists, or
// an instance started as administrator made it, and it refuses us.
constexpr bool AnotherInstanceRuns(SystemError instanceObjectError) {
    return instanceObjectError == SystemError(kErrorObjectExists) ||
           instanceObjectError == SystemError(kErrorObjectRefused);
}

// A process as the system knows it: its id, and when it started, since ids are given out again.
struct ProcessIdentity {
    std::uint32_t id = 0;
    std::uint64_t startTime = 0;  // FILETIME: 100-ns intervals since 1601
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

// Facts about this running program, and its end.
class RunningProcess {
  public:
    RunningProcess() = default;
    RunningProcess(const RunningProcess&) = delete;
    RunningProcess& operator=(const RunningProcess&) = delete;
    virtual ~RunningProcess() = default;

    // What taking this session's instance object answered: no error when it was ours to take.
    virtual SystemError InstanceObjectError() noexcept = 0;
    virtual ProcessIdentity Identity() noexcept = 0;
    // Whether that very process still runs; true where we may not ask (it runs with more rights).
    virtual bool IsRunning(const ProcessIdentity& process) noexcept = 0;
    // The log-on session the program runs in: each has its own desktop and its own instance.
    virtual std::uint32_t SessionId() noexcept = 0;
    virtual std::u16string ProgramDirectory() = 0;
    // The program file's name without its extension.
    virtual std::u16string ProgramName() = 0;
    // Windows' display language for this user, as a locale name ("zh-CN", "en-GB").
    virtual std::u16string DisplayLanguage() = 0;
    // Whether users other than the administrators may write into the program's folder: a program
    // there must not start in every user's log-on, where any of them could replace it.
    virtual bool ProgramFolderWritableByOthers() noexcept = 0;
    // Starts the guard, a small process of ours that waits for this one to end and shows what
    // it left hidden if it did not end in order, unless one runs already; returns at once.
    // With startCompanionService, the guard's starter also starts the companion service on its
    // way. True when a starter was sent with that errand.
    virtual bool KeepGuardRunning(bool startCompanionService) noexcept = 0;
    // Waits a few seconds at most for a guard's starter still on its way, so that a request
    // sent after this one is not overtaken by the starter's.
    virtual void WaitForGuardStarter() noexcept = 0;
    // Ends the process at once: no further event is raised (a fake may return).
    virtual void EndProcess() noexcept = 0;
};

}  // namespace ombrel
