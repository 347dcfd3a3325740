#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Command.h"
#include "platform/WindowHandle.h"

namespace ombrel {

// What the system tells of the process at the other end of the channel, beside this one.
struct ChannelPeer {
    bool sameUser = false;
    bool sameSession = false;      // the screen's session (the pipe's name is seen by all)
    bool sameLogon = false;        // the log-on: a scheduled task or a remote shell has its own
    bool sameProgramFile = false;  // the very file (volume and file id), whatever its name
    std::uint32_t integrity = 0;   // the mandatory label's level, as Windows numbers it
    bool elevated = false;         // run as administrator
};

inline constexpr std::uint32_t kMediumIntegrity = 0x2000;

// Whether the channel takes a command from that caller. An elevated program hears elevated
// callers alone: an ordinary program must not steer it into touching what it may not touch.
constexpr bool TakesCommandsFrom(bool elevated, const ChannelPeer& caller) {
    return caller.sameUser && caller.sameSession && caller.sameLogon &&
           caller.integrity >= kMediumIntegrity && (caller.elevated || !elevated);
}

// Whether a caller at that integrity tells that server anything: only this program's own file,
// run by the user in this session, no less trusted than the caller.
constexpr bool TrustsServer(std::uint32_t integrity, const ChannelPeer& server) {
    return server.sameUser && server.sameSession && server.sameProgramFile &&
           server.integrity >= integrity;
}

// A command another process of this user sent ("Ombrel.exe switch 3" and the like), waiting
// for the program to run it.
struct CommandRequest {
    std::uint64_t caller = 0;  // whom the answer goes to
    Request request;           // read once, where it arrived
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
    // the channel cannot be had (another program holds its name): the reason is logged, once
    // until it opens, and it may be asked again. True when it is open already.
    virtual bool Open(WindowHandle window, std::uint32_t message) = 0;
    // The commands that arrived since the last call, oldest first.
    virtual std::vector<CommandRequest> TakeRequests() = 0;
    // The caller's exit code and what it prints (UTF-8); the call ends with it.
    virtual void Answer(std::uint64_t caller, int exitCode, std::string_view text) = 0;
    // As Answer, but the call stays open and gets every line announced from now on.
    virtual void Follow(std::uint64_t caller, std::string_view text) = 0;
    // One line (UTF-8, without its end) for every caller that follows.
    virtual void Announce(std::string_view line) = 0;
    // Whether any caller follows: a line nobody reads is not worth building.
    virtual bool HasFollowers() const = 0;
    // Takes no more commands; answers already given still reach their callers.
    virtual void Close() noexcept = 0;
};

}  // namespace ombrel
