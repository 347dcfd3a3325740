#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowHandle.h"

namespace ombrel {

// A command another process of this user sent ("Ombrel.exe switch 3" and the like), waiting
// for the program to run it.
struct CommandRequest {
    std::uint64_t caller = 0;  // whom the answer goes to
    std::u16string text;       // a command, as ParseCommandText takes it
};

// Where other processes of this user, and only they, send commands: they never name a window,
// and the answer goes back the way the command came. Served beside the message loop: neither
// a caller that says nothing nor one that never reads its answer holds up the program.
class CommandChannel {
  public:
    CommandChannel() = default;
    CommandChannel(const CommandChannel&) = delete;
    CommandChannel& operator=(const CommandChannel&) = delete;
    virtual ~CommandChannel() = default;

    // Starts taking commands; each time some wait, message is posted to window. False when
    // the channel cannot be had (another program holds its name): the reason is logged.
    virtual bool Open(WindowHandle window, std::uint32_t message) = 0;
    // The commands that arrived since the last call, oldest first.
    virtual std::vector<CommandRequest> TakeRequests() = 0;
    // The caller's exit code and what it prints (UTF-8); the call ends with it.
    virtual void Answer(std::uint64_t caller, int exitCode, std::string_view text) = 0;
    // As Answer, but the call stays open and gets every line announced from now on.
    virtual void Follow(std::uint64_t caller, std::string_view text) = 0;
    // One line (UTF-8, without its end) for every caller that follows.
    virtual void Announce(std::string_view line) = 0;
    // Takes no more commands; answers already given still reach their callers.
    virtual void Close() noexcept = 0;
};

}  // namespace ombrel
