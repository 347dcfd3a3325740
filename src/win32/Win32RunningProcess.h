#pragma once

#include <string>

#include "platform/RunningProcess.h"

namespace ombrel::win32 {

// This process: whether another instance ran first (wWinMain's mutex tells), its file, its end.
class Win32RunningProcess final : public RunningProcess {
  public:
    explicit Win32RunningProcess(bool previousInstance) : previousInstance_(previousInstance) {}

    bool PreviousInstance() noexcept override { return previousInstance_; }
    std::uint32_t SessionId() noexcept override;
    std::u16string ProgramDirectory() override;
    std::u16string ProgramName() override;
    void EndProcess() noexcept override;

  private:
    bool previousInstance_;
};

}  // namespace ombrel::win32
