#include "win32/Guard.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string_view>

#include "engine/RecoveryList.h"
#include "service/ServiceControl.h"
#include "win32/ProcessImage.h"
#include "win32/UniqueHandle.h"
#include "win32/UserLanguage.h"
#include "win32/WideText.h"
#include "win32/Win32FileLog.h"
#include "win32/Win32Registry.h"
#include "win32/Win32RunningProcess.h"
#include "win32/Win32ServiceManager.h"
#include "win32/Win32WindowSystem.h"

namespace ombrel::win32 {
namespace {

std::optional<unsigned long long> Number(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 10);
    if (end == text || *end != L'\0' || value == 0) {
        return std::nullopt;
    }
    return value;
}

// Starts the guard with the object that says it runs, and ends: the guard's parent is then a
// process that is gone.
int StartGuard(DWORD ombrelId, const std::wstring& identity) {
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    const UniqueKernelHandle running(
        ::CreateMutexW(&inherited, FALSE, GuardRunningObjectName(ombrelId).c_str()));
    if (!running) {
        return 1;
    }
    std::wstring command = L"\"" + OwnImagePath() + L"\" " + kGuardArgument + L" " + identity;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    // Only the object is inheritable here; a program started without a console has no other.
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                         CREATE_NO_WINDOW | BELOW_NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                         &started) == FALSE) {
        return 1;
    }
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return 0;
}

void StartCompanionServiceLogged() {
    Win32ServiceManager services;
    Win32FileLog log;
    const Texts texts(SettingsFileLanguage());
    LogServiceRequest(log, texts, TextId::ServiceStartRequest, StartCompanionService(services));
    log.Flush();
}

int Guard(const ProcessIdentity& ombrel) {
    {
        const UniqueKernelHandle guarded(
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ombrel.id));
        // Gone already, or its id names another process by now: it ended before we could wait.
        if (guarded && IdentityOf(guarded.Get()) == ombrel) {
            // Waiting is all a guard does: give back what starting took.
            ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                                       static_cast<SIZE_T>(-1));
            ::WaitForSingleObject(guarded.Get(), INFINITE);
        }
    }
    Win32Registry registry;
    Win32WindowSystem windows;
    Win32FileLog log;
    Win32RunningProcess process(0);
    const Texts texts(SettingsFileLanguage());
    RecoveryList list(registry, windows, log, texts, process);
    list.ShowAfterDeathOf(ombrel);
    log.Flush();
    return 0;
}

}  // namespace

std::wstring GuardRunningObjectName(DWORD ombrelProcessId) {
    return L"Local\\Ombrel.Guard.5B0C7A0E." + DecimalWide(ombrelProcessId);
}

int RunGuardProgram(int argc, wchar_t** argv) {
    const bool startService = argc == 5 && std::wstring_view(argv[4]) == kStartServiceArgument;
    if (argc != 4 && !startService) {
        return 2;
    }
    const std::optional<unsigned long long> id = Number(argv[2]);
    const std::optional<unsigned long long> startTime = Number(argv[3]);
    if (!id || *id > 0xFFFFFFFFULL || !startTime) {
        return 2;
    }
    const std::wstring_view role = argv[1];
    if (role == kStartGuardArgument) {
        const int started = StartGuard(static_cast<DWORD>(*id),
                                       std::wstring(argv[2]) + L" " + std::wstring(argv[3]));
        // After the guard, which matters more; whether or not it could be started.
        if (startService) {
            StartCompanionServiceLogged();
        }
        return started;
    }
    if (role == kGuardArgument && !startService) {
        return Guard({static_cast<std::uint32_t>(*id), *startTime});
    }
    return 2;
}

}  // namespace ombrel::win32
