#pragma once

#include <cstdint>
#include <string>

namespace ombrel {

// Facts about this running program, and its end.
class RunningProcess {
  public:
    RunningProcess() = default;
    RunningProcess(const RunningProcess&) = delete;
    RunningProcess& operator=(const RunningProcess&) = delete;
    virtual ~RunningProcess() = default;

    // Another instance already runs in this session.
    virtual bool PreviousInstance() noexcept = 0;
    // The log-on session the program runs in: each has its own desktop and its own instance.
    virtual std::uint32_t SessionId() noexcept = 0;
    virtual std::u16string ProgramDirectory() = 0;
    // The program file's name without its extension.
    virtual std::u16string ProgramName() = 0;
    // Ends the process at once: no further event is raised (a fake may return).
    virtual void EndProcess() noexcept = 0;
};

}  // namespace ombrel
