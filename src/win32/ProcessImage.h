#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ombrel::win32 {

// The full path of the program file the process runs; empty when it cannot be known. Asks the
// system, never the program.
std::wstring ImagePathOf(HANDLE process);
// The same for a process id (0, or a process we may not ask about: empty).
std::wstring ImagePathOf(DWORD processId);
// The program file of this process.
std::wstring OwnImagePath();
// Whether two paths name the very same file (its volume and file id): a copy, or another file
// of the same name, is not it; a link to it is.
bool SameFile(const std::wstring& a, const std::wstring& b);
// The file name at the end of a path: "notepad.exe" of "C:\Windows\notepad.exe".
std::wstring_view FileNameOf(std::wstring_view path);

}  // namespace ombrel::win32
