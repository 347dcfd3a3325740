// The exe: wires the real Windows to the program object and runs the message loop.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <optional>

#include "shell/Platform.h"
#include "shell/Program.h"
#include "win32/CommandLineClient.h"
#include "win32/CommandPipeServer.h"
#include "win32/CrashRelay.h"
#include "win32/MessageLoopWaits.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32FileLog.h"
#include "win32/Win32FinderView.h"
#include "win32/Win32FormRuntime.h"
#include "win32/Win32Hotkeys.h"
#include "win32/Win32NotifyIcon.h"
#include "win32/Win32Registry.h"
#include "win32/Win32RunningProcess.h"
#include "win32/Win32ServiceManager.h"
#include "win32/Win32UserFiles.h"
#include "win32/Win32Wallpaper.h"
#include "win32/Win32WindowProcedures.h"
#include "win32/Win32WindowSystem.h"

namespace {

// What the crash filter, a Win32 callback with no context, needs to reach; any thread may fail.
std::atomic<ombrel::win32::CrashRelay*> g_crashRelay{nullptr};

// An unhandled exception on any thread: show every window we hid before the process dies.
// The recovery list stays, so the next start checks again.
LONG WINAPI ShowEverythingBeforeDying(EXCEPTION_POINTERS* /*exception*/) {
    if (ombrel::win32::CrashRelay* relay = g_crashRelay.load()) {
        relay->RestoreFromAnyThread();
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

// A C++ exception that nothing caught ends in std::terminate, not in the filter above.
[[noreturn]] void ShowEverythingBeforeTerminating() {
    ShowEverythingBeforeDying(nullptr);
    std::abort();
}

// Per session, so that each logged-on user has an instance of his own.
constexpr const wchar_t* kInstanceMutexName = L"Local\\Ombrel.SingleInstance.5B0C7A0E";

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    using namespace ombrel;
    using namespace ombrel::win32;

    // "Ombrel.exe switch 3" and the like: handed to the running instance, and this one ends.
    if (const std::optional<int> exitCode = RunCommandLine()) {
        return *exitCode;
    }

    // Taken before anything else; held until the process ends.
    // An instance started as administrator made a mutex that refuses us: that answer means
    // "running" too.
    ::SetLastError(ERROR_SUCCESS);
    const UniqueKernelHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    const DWORD instanceMutexError = ::GetLastError();

    // What the program's thread waits for beside its messages.
    MessageLoopWaits waits;
    Win32WindowSystem windows;
    Win32Hotkeys hotkeys;
    Win32WindowProcedures procedures;
    Win32Wallpaper wallpaper;
    Win32Registry registry;
    Win32ServiceManager services;
    Win32Dialogs dialogs;
    Win32FormRuntime forms(instance);
    Win32RunningProcess process(instanceMutexError);
    Win32FileLog log;
    Win32UserFiles files(waits);
    // Chinese until the settings file is read: the program puts its language in force then.
    Texts texts;
    CommandPipeServer commands(log, texts);
    Win32FinderView finder(instance);
    Win32Clock clock;
    Win32NotifyIcon notifyIcon;
    Platform platform{windows, hotkeys, procedures, wallpaper, registry, services, dialogs,   forms,
                      process, log,     files,      commands,  finder,   clock,    notifyIcon};

    Program program(platform, texts);
    forms.SetMainForm(program.frmMain());
    CrashRelay crashRelay(instance, program);
    g_crashRelay = &crashRelay;
    ::SetUnhandledExceptionFilter(&ShowEverythingBeforeDying);
    std::set_terminate(&ShowEverythingBeforeTerminating);
    program.Start();
    const int exitCode = forms.RunMessageLoop(waits);
    g_crashRelay = nullptr;
    return exitCode;
}
