#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Log.h"
#include "shell/CommandChannel.h"
#include "text/Texts.h"
#include "win32/CommandPipe.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// The command channel as a named pipe of a fixed number of instances, all made at the open,
// served by threads of its own: one waits for callers, and each caller has one that checks
// who it is, reads its command, waits for the answer the bar's thread gives, and writes it. The
// bar's thread only takes and hands over under a short lock.
class CommandPipeServer final : public CommandChannel {
  public:
    explicit CommandPipeServer(Log& log, const Texts& texts);
    CommandPipeServer(const CommandPipeServer&) = delete;
    CommandPipeServer& operator=(const CommandPipeServer&) = delete;
    ~CommandPipeServer() override { Close(); }

    bool Open(WindowHandle window, std::uint32_t message) override;
    std::vector<CommandRequest> TakeRequests() override;
    void Answer(std::uint64_t caller, int exitCode, std::string_view text) override;
    void Follow(std::uint64_t caller, std::string_view text) override;
    void Announce(std::string_view line) override;
    bool HasFollowers() const override;
    void Close() noexcept override;

  private:
    // Callers served at once; one more is turned away until one leaves.
    static constexpr std::size_t kMostCallers = 32;
    // Every instance the pipe has: the served callers' and the one that turns the next away.
    static constexpr DWORD kInstances = kMostCallers + 1;
    // Lines kept for a follower that does not read; beyond them it is dropped.
    static constexpr std::size_t kMostQueuedLines = 1000;

    struct Instance {
        UniqueKernelHandle pipe;
        UniqueKernelHandle connected;  // set when a caller connects
        OVERLAPPED pending{};
        bool listening = false;          // the listener's: a connection is pending
        bool serving = false;            // the listener's: a thread has it
        std::atomic<bool> back = false;  // its thread is done and has disconnected it
    };

    struct Caller {
        std::uint64_t id = 0;
        HANDLE pipe = nullptr;     // its instance's
        UniqueKernelHandle ready;  // set when an answer or lines wait in out
        std::deque<std::string> out;
        bool answered = false;
        bool follows = false;
        bool dropped = false;  // a follower that fell too far behind
        bool turnedAway = false;
        std::atomic<bool> done = false;
    };

    UniqueKernelHandle MakeInstance(bool first);
    // Logs why the pipe could not be had, the first time only until it is.
    void Refused(std::u16string_view why);
    void Listen();
    // Starts waiting for a caller on the instance; true when one is there already.
    bool Arm(Instance& instance);
    void Join(Instance& instance);
    void Serve(const std::shared_ptr<Caller>& caller);
    // Reads the caller's command; none when it said nothing, too much, or no command.
    std::optional<Request> ReadCommand(HANDLE pipe);
    // Writes what waits for the caller, at most that many messages; false when it cannot take
    // them, or stop (if any) is set.
    bool WriteWaiting(Caller& caller, HANDLE stop,
                      std::size_t most = std::numeric_limits<std::size_t>::max());
    void Leave(const Caller& caller);
    void Give(std::uint64_t caller, std::string text, bool follow);

    Log& log_;
    const Texts& texts_;
    std::wstring name_;
    bool elevated_;
    CommandPipeSecurity security_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    bool open_ = false;
    bool refusalLogged_ = false;
    std::atomic<bool> callerRefusalLogged_ = false;
    UniqueKernelHandle stop_;
    UniqueKernelHandle back_;  // set when an instance comes back from its thread
    std::vector<std::unique_ptr<Instance>> instances_;
    mutable std::mutex mutex_;  // guards what follows
    std::vector<CommandRequest> waiting_;
    std::map<std::uint64_t, std::shared_ptr<Caller>> callers_;
    std::uint64_t nextCaller_ = 1;
    std::thread listener_;
    std::vector<std::pair<std::thread, std::shared_ptr<Caller>>> servers_;  // the listener's
};

}  // namespace ombrel::win32
