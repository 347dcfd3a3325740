#include "win32/Guard.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string_view>

#include "engine/RecoveryList.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32FileLog.h"
#include "win32/Win32Registry.h"
#include "win32/Win32RunningProcess.h"
#include "win32/Win32WindowSystem.h"

namespace ombrel::win32 {
namespace {

// The process id after the guard argument; none when this is not a guard's command line.
std::optional<DWORD> GuardedProcessId() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::optional<DWORD> id;
    if (arguments != nullptr && count == 3 && std::wstring_view(arguments[1]) == kGuardArgument) {
        wchar_t* end = nullptr;
        const unsigned long value = std::wcstoul(arguments[2], &end, 10);
        if (end != arguments[2] && *end == L'\0' && value != 0) {
            id = static_cast<DWORD>(value);
        }
    }
    ::LocalFree(arguments);
    return id;
}

}  // namespace

std::optional<int> RunGuardIfAsked() {
    const std::optional<DWORD> id = GuardedProcessId();
    if (!id) {
        return std::nullopt;
    }
    const UniqueKernelHandle guarded(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, *id));
    if (!guarded) {
        return 1;
    }
    const ProcessIdentity writer = IdentityOf(guarded.Get());
    // Waiting is all a guard does: give back what starting took.
    ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                               static_cast<SIZE_T>(-1));
    ::WaitForSingleObject(guarded.Get(), INFINITE);

    Win32Registry registry;
    Win32WindowSystem windows;
    Win32FileLog log;
    Win32RunningProcess process(0);
    RecoveryList list(registry, windows, log, process);
    list.ShowAfterDeathOf(writer);
    log.Flush();
    return 0;
}

}  // namespace ombrel::win32
