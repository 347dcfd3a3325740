#include "win32/Win32RunningProcess.h"

#include <windows.h>

#include "win32/FolderAccess.h"
#include "win32/Guard.h"
#include "win32/ProcessImage.h"
#include "win32/UniqueHandle.h"
#include "win32/UserLanguage.h"
#include "win32/WideText.h"

namespace ombrel::win32 {

ProcessIdentity IdentityOf(HANDLE process) noexcept {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (::GetProcessTimes(process, &created, &exited, &kernel, &user) == FALSE) {
        return {::GetProcessId(process), 0};
    }
    return {::GetProcessId(process),
            (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime};
}

ProcessIdentity Win32RunningProcess::Identity() noexcept {
    return IdentityOf(::GetCurrentProcess());
}

bool Win32RunningProcess::IsRunning(const ProcessIdentity& process) noexcept {
    const UniqueKernelHandle handle(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, process.id));
    if (!handle) {
        // No such process; one we may not even ask about (protected) is counted as running.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    return ::WaitForSingleObject(handle.Get(), 0) == WAIT_TIMEOUT &&
           IdentityOf(handle.Get()).startTime == process.startTime;
}

bool Win32RunningProcess::KeepGuardRunning(bool startCompanionService) noexcept {
    if (guardStarter_ && ::WaitForSingleObject(guardStarter_.Get(), 0) == WAIT_TIMEOUT) {
        return false;
    }
    guardStarter_.Reset();
    try {
        if (const UniqueKernelHandle running(::OpenMutexW(
                SYNCHRONIZE, FALSE, GuardRunningObjectName(::GetCurrentProcessId()).c_str()));
            running) {
            return false;
        }
        const ProcessIdentity self = Identity();
        std::wstring path = OwnImagePath();
        path.resize(path.size() - FileNameOf(path).size());
        const std::wstring command =
            L"\"" + path + kGuardProgramFile + L"\" " + kStartGuardArgument + L" " +
            DecimalWide(self.id) + L" " + DecimalWide(self.startTime) +
            (startCompanionService ? std::wstring(L" ") + kStartServiceArgument : L"");
        // Out of a job that ends its processes when it closes, where the job allows it; where
        // it does not, the guard shares Ombrel's end.
        for (const DWORD breakaway : {static_cast<DWORD>(CREATE_BREAKAWAY_FROM_JOB), DWORD{0}}) {
            std::wstring writable = command;
            STARTUPINFOW startup{};
            startup.cb = sizeof(startup);
            PROCESS_INFORMATION started{};
            if (::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE,
                                 CREATE_NO_WINDOW | BELOW_NORMAL_PRIORITY_CLASS | breakaway,
                                 nullptr, nullptr, &startup, &started) != FALSE) {
                ::CloseHandle(started.hThread);
                guardStarter_.Reset(started.hProcess);
                return startCompanionService;
            }
            if (::GetLastError() != ERROR_ACCESS_DENIED) {
                return false;
            }
        }
    } catch (...) {
        // A noexcept seam, called at every refresh: tried again at the next one.
    }
    return false;
}

void Win32RunningProcess::WaitForGuardStarter() noexcept {
    // A starter is done in well under a second; a stuck one is not waited for long.
    constexpr DWORD kStarterPatienceMs = 3000;
    if (guardStarter_) {
        ::WaitForSingleObject(guardStarter_.Get(), kStarterPatienceMs);
    }
}

std::u16string Win32RunningProcess::ProgramDirectory() {
    const std::wstring path = OwnImagePath();
    const auto slash = path.find_last_of(L'\\');
    return FromWide(slash == std::wstring::npos ? std::wstring_view()
                                                : std::wstring_view(path).substr(0, slash));
}

bool Win32RunningProcess::ProgramFolderWritableByOthers() noexcept {
    try {
        return WritableByOthersThanAdministrators(ToWide(ProgramDirectory()));
    } catch (...) {
        // A noexcept seam: without memory for the path the answer is not known, and the safe
        // answer is taken.
        return true;
    }
}

std::u16string Win32RunningProcess::DisplayLanguage() {
    return UserDisplayLanguage();
}

std::u16string Win32RunningProcess::ProgramName() {
    const std::wstring path = OwnImagePath();
    const auto slash = path.find_last_of(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.resize(dot);
    }
    return FromWide(name);
}

std::uint32_t Win32RunningProcess::SessionId() noexcept {
    DWORD session = 0;
    return ::ProcessIdToSessionId(::GetCurrentProcessId(), &session) != FALSE ? session : 0;
}

void Win32RunningProcess::EndProcess() noexcept {
    ::ExitProcess(0);
}

}  // namespace ombrel::win32
