// OmbrelGuard.exe: the small process that shows what a killed Ombrel left hidden.
#include <windows.h>

#include <cstdlib>

#include "win32/Guard.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // The C runtime's split of the command line: no shell32 to load for it.
    return ombrel::win32::RunGuardProgram(__argc, __wargv);
}
