#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/CommandChannel.h"
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

// What a caller opens the pipe with: reading, writing, and setting message mode. Never
// GENERIC_WRITE: on a pipe that holds the right to make another instance of it.
inline constexpr DWORD kCallerAccess = GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES;

// Only this user's processes may open it, to read and write alone, and none below medium
// integrity (high, when this program runs elevated). The instances are made while the user
// still has the right to make them; then the pipe is sealed, and nobody, this program included,
// may make another or change its access.
class CommandPipeSecurity {
  public:
    explicit CommandPipeSecurity(bool elevated);
    // For making the instances. None when the descriptors could not be made: then no pipe is
    // made either.
    SECURITY_ATTRIBUTES* Attributes() { return making_ && sealed_ ? &attributes_ : nullptr; }
    // Takes the right to make instances and to change the access away; the instance must have
    // been made with WRITE_DAC.
    bool Seal(HANDLE pipe) const;
    // The descriptor in the system's text form, for the log.
    static std::wstring Describe(HANDLE pipe);

  private:
    UniqueLocalMemory making_;
    UniqueLocalMemory sealed_;
    SECURITY_ATTRIBUTES attributes_{};
};

// This process's integrity level (a SECURITY_MANDATORY_*_RID), and whether it runs elevated.
std::uint32_t OwnIntegrity();
bool RunsElevated();

// The process connected to an instance of ours, as the system tells of it (its token, seen at
// identification level).
ChannelPeer CallerOf(HANDLE pipe);
// The process serving a pipe we opened, beside this one, which runs programFile.
ChannelPeer ServerOf(HANDLE pipe, const std::wstring& programFile);

// One overlapped read or write on the pipe, waited for at most timeoutMs, and given up when
// stop (if any) is set. MoreData: a message longer than the buffer.
enum class Transfer { Done, MoreData, Failed };
Transfer Read(HANDLE pipe, void* buffer, DWORD size, DWORD& moved, DWORD timeoutMs,
              HANDLE stop = nullptr);
Transfer Write(HANDLE pipe, std::string_view bytes, DWORD timeoutMs, HANDLE stop = nullptr);

}  // namespace ombrel::win32
