// The exe: wires the real Windows to the program object and runs the message loop.
#include <windows.h>

#include "platform/Platform.h"
#include "shell/Program.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32FormRuntime.h"
#include "win32/Win32Hotkeys.h"
#include "win32/Win32Registry.h"
#include "win32/Win32ServiceManager.h"
#include "win32/Win32WindowSystem.h"

namespace {

// Per session, so that each logged-on user has an instance of his own.
constexpr const wchar_t* kInstanceMutexName = L"Local\\Ombrel.SingleInstance.5B0C7A0E";

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    using namespace ombrel;
    using namespace ombrel::win32;

    // Taken before anything else; held until the process ends.
    const UniqueKernelHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    const bool previousInstance = ::GetLastError() == ERROR_ALREADY_EXISTS;

    Win32WindowSystem windows;
    Win32Hotkeys hotkeys;
    Win32WindowProcedures procedures;
    Win32Wallpaper wallpaper;
    Win32Registry registry;
    Win32ServiceManager services;
    Win32Dialogs dialogs;
    Win32FormRuntime forms(instance, previousInstance);
    Platform platform{windows, hotkeys, procedures, wallpaper, registry, services, dialogs, forms};

    Program program(platform);
    forms.SetMainForm(program.frmMain());
    program.Start();
    return forms.RunMessageLoop();
}
