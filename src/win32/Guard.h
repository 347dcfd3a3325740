#pragma once

#include <windows.h>

#include <string>

namespace ombrel::win32 {

// OmbrelGuard.exe, beside Ombrel.exe: an image of its own, so that ending Ombrel.exe by its name
// leaves it running.
inline constexpr const wchar_t* kGuardProgramFile = L"OmbrelGuard.exe";
// "OmbrelGuard.exe --start PID TIME": what Ombrel starts. It starts the guard and ends at once,
// so that the guard is nobody's child in the process tree that "End process tree" ends.
inline constexpr const wchar_t* kStartGuardArgument = L"--start";
// "OmbrelGuard.exe --start PID TIME --service": the starter also starts the companion service,
// after the guard, and logs the request as Ombrel would.
inline constexpr const wchar_t* kStartServiceArgument = L"--service";
// "OmbrelGuard.exe --guard PID TIME": waits for the Ombrel of that id and start time to end and,
// if it ended without its orderly exit (killed, crashed), shows what it left hidden. No window,
// no hotkey, no timer.
inline constexpr const wchar_t* kGuardArgument = L"--guard";

// The object that exists while a guard of this Ombrel runs (or is being started): the guard
// holds it, so Ombrel needs no handle to the guard to know.
std::wstring GuardRunningObjectName(DWORD ombrelProcessId);

// OmbrelGuard.exe's work for its command line; the exit code.
int RunGuardProgram(int argc, wchar_t** argv);

}  // namespace ombrel::win32
