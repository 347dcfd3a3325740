#pragma once

#include <string>

#include <windows.h>

#include "platform/RunningProcess.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// This process: what taking the instance mutex answered (in wWinMain), its file, its end.
class Win32RunningProcess final : public RunningProcess {
  public:
    explicit Win32RunningProcess(std::uint32_t instanceMutexError)
        : instanceMutexError_(instanceMutexError) {}

    SystemError InstanceObjectError() noexcept override { return instanceMutexError_; }
    ProcessIdentity Identity() noexcept override;
    bool IsRunning(const ProcessIdentity& process) noexcept override;
    std::uint32_t SessionId() noexcept override;
    bool KeepGuardRunning(bool startCompanionService) noexcept override;
    void WaitForGuardStarter() noexcept override;
    std::u16string ProgramDirectory() override;
    std::u16string ProgramName() override;
    std::u16string DisplayLanguage() override;
    bool ProgramFolderWritableByOthers() noexcept override;
    void EndProcess() noexcept override;

  private:
    SystemError instanceMutexError_;
    UniqueKernelHandle guardStarter_;  // while it runs, the guard is on its way
};

// The process's identity, from an open handle to it.
ProcessIdentity IdentityOf(HANDLE process) noexcept;

}  // namespace ombrel::win32
