#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// How a command travels: the caller writes one message, the command's words in UTF-8, at most
// kMostCommandBytes, within kSilenceLimitMs of connecting. The first message back is the exit
// code in decimal, a line end, and what the caller prints (UTF-8); for watch, every further
// message is one JSON line. Then the pipe ends.
inline constexpr DWORD kMostCommandBytes = 1024;
inline constexpr DWORD kSilenceLimitMs = 2000;

// "\\.\pipe\Ombrel.<the user's SID>.<session>": one per user and logon session, the same for
// the user's elevated and ordinary programs.
std::wstring CommandPipeName();

// Only this user's processes at medium integrity or above may open it: a sandboxed (low
// integrity) process of the same user is refused, and an elevated Ombrel still hears the
// user's ordinary prompt.
class CommandPipeSecurity {
  public:
    CommandPipeSecurity();
    // None when the descriptor could not be made: then no pipe is made either.
    SECURITY_ATTRIBUTES* Attributes() { return descriptor_ ? &attributes_ : nullptr; }
    // The descriptor in the system's text form, for the log.
    static std::wstring Describe(HANDLE pipe);

  private:
    UniqueLocalMemory descriptor_;
    SECURITY_ATTRIBUTES attributes_{};
};

// Whether the process at the other end of a pipe we opened is Ombrel, run by this user at
// medium integrity or above: a pipe another program made under our name must learn nothing.
bool ServedByOmbrel(HANDLE pipe);

// One overlapped read or write on the pipe, waited for at most timeoutMs, and given up when
// stop (if any) is set. MoreData: a message longer than the buffer.
enum class Transfer { Done, MoreData, Failed };
Transfer Read(HANDLE pipe, void* buffer, DWORD size, DWORD& moved, DWORD timeoutMs,
              HANDLE stop = nullptr);
Transfer Write(HANDLE pipe, std::string_view bytes, DWORD timeoutMs, HANDLE stop = nullptr);

}  // namespace ombrel::win32
