#include "win32/CommandPipeServer.h"

#include <utility>

#include "engine/CommandText.h"
#include "platform/Utf8.h"
#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr DWORD kOutBufferBytes = 64 * 1024;
// How long a caller may take to read what it was given, and to go once answered.
constexpr DWORD kReaderPatienceMs = 5000;
constexpr DWORD kLeavingPatienceMs = 2000;
constexpr DWORD kFailedConnectPauseMs = 100;

}  // namespace

CommandPipeServer::CommandPipeServer(Log& log)
    : log_(log), name_(CommandPipeName()), stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

UniqueKernelHandle CommandPipeServer::MakeInstance(bool first) {
    const HANDLE pipe = ::CreateNamedPipeW(
        name_.c_str(),
        PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
        PIPE_UNLIMITED_INSTANCES, kOutBufferBytes, kMostCommandBytes, 0, security_.Attributes());
    return UniqueKernelHandle(pipe == INVALID_HANDLE_VALUE ? nullptr : pipe);
}

bool CommandPipeServer::Open(WindowHandle window, std::uint32_t message) {
    window_ = ToHwnd(window);
    message_ = message;
    if (security_.Attributes() == nullptr) {
        log_.Write(u"命令行无法使用：未能建立命令管道的访问权限（代码 " +
                   FromWide(std::to_wstring(::GetLastError())) + u"）");
        return false;
    }
    // The first instance of the name, or none: a pipe another program made first is its own.
    UniqueKernelHandle first = MakeInstance(true);
    if (!first) {
        const DWORD error = ::GetLastError();
        log_.Write(u"命令行无法使用：命令管道 " + FromWide(name_) +
                   (error == ERROR_ACCESS_DENIED || error == ERROR_PIPE_BUSY
                        ? u" 已被另一个程序占用"
                        : u" 未能建立（代码 " + FromWide(std::to_wstring(error)) + u"）"));
        return false;
    }
    listener_ = std::thread([this, pipe = std::move(first)]() mutable { Listen(std::move(pipe)); });
    return true;
}

void CommandPipeServer::Listen(UniqueKernelHandle listening) {
    const UniqueKernelHandle connected(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    while (listening && ::WaitForSingleObject(stop_.Get(), 0) == WAIT_TIMEOUT) {
        OVERLAPPED pending{};
        pending.hEvent = connected.Get();
        ::ResetEvent(connected.Get());
        bool joined = ::ConnectNamedPipe(listening.Get(), &pending) != FALSE;
        if (!joined) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_PIPE_CONNECTED) {
                joined = true;
            } else if (error == ERROR_IO_PENDING) {
                const HANDLE events[2] = {connected.Get(), stop_.Get()};
                if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
                    ::CancelIoEx(listening.Get(), &pending);
                    DWORD ignored = 0;
                    ::GetOverlappedResult(listening.Get(), &pending, &ignored, TRUE);
                    break;
                }
                DWORD ignored = 0;
                joined = ::GetOverlappedResult(listening.Get(), &pending, &ignored, FALSE) != FALSE;
            } else if (::WaitForSingleObject(stop_.Get(), kFailedConnectPauseMs) != WAIT_TIMEOUT) {
                break;  // a failure that comes again at once must not spin the thread
            }
        }
        // The next instance is there before this one is handed on: the name is never free for
        // another program to take.
        UniqueKernelHandle next = MakeInstance(false);
        if (!next) {
            log_.Write(u"命令管道未能再建一个实例（代码 " +
                       FromWide(std::to_wstring(::GetLastError())) + u"）：命令行不再可用");
        }
        std::erase_if(servers_, [](auto& server) {
            if (!server.second->done) {
                return false;
            }
            server.first.join();
            return true;
        });
        if (joined && servers_.size() >= kMostCallers) {
            // Told rather than left to wait: it may try again once others are served.
            Write(listening.Get(),
                  std::to_string(kExitNoAnswer) + "\n" +
                      ombrel::ToUtf8(u"Ombrel 正忙于其他调用者，请稍后再试。\r\n"),
                  kReaderPatienceMs, stop_.Get());
        } else if (joined) {
            auto caller = std::make_shared<Caller>();
            caller->pipe = std::move(listening);
            caller->ready.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
            std::thread server([this, caller] {
                Serve(caller);
                caller->done = true;
            });
            servers_.emplace_back(std::move(server), caller);
        }
        listening = std::move(next);
    }
    for (auto& server : servers_) {
        server.first.join();
    }
    servers_.clear();
}

std::optional<std::wstring> CommandPipeServer::ReadCommand(HANDLE pipe) {
    char buffer[kMostCommandBytes];
    DWORD moved = 0;
    if (Read(pipe, buffer, sizeof(buffer), moved, kSilenceLimitMs, stop_.Get()) != Transfer::Done ||
        moved == 0) {
        return std::nullopt;
    }
    std::optional<std::wstring> text = FromUtf8({buffer, moved});
    if (!text || !ParseCommandText(FromWide(*text))) {
        return std::nullopt;
    }
    return text;
}

void CommandPipeServer::Serve(const std::shared_ptr<Caller>& caller) {
    ServeUntilDone(caller);
    // Closed as soon as it is done with: the caller's read ends at once.
    caller->pipe.Reset();
}

void CommandPipeServer::ServeUntilDone(const std::shared_ptr<Caller>& shared) {
    Caller& caller = *shared;
    const HANDLE pipe = caller.pipe.Get();
    const std::optional<std::wstring> command = ReadCommand(pipe);
    if (!command) {
        return;  // silent, too long, or not a command: dropped without a word
    }
    {
        const std::lock_guard lock(mutex_);
        caller.id = nextCaller_++;
        callers_.emplace(caller.id, shared);
        waiting_.push_back({caller.id, FromWide(*command)});
    }
    ::PostMessageW(window_, message_, 0, 0);
    const HANDLE events[2] = {caller.ready.Get(), stop_.Get()};
    // The answer alone gets its time even when the program is ending (the exit's own); a
    // follower's lines queued behind it do not.
    if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 ||
        !WriteWaiting(caller, nullptr, 1)) {
        Leave(caller);
        return;
    }
    DWORD moved = 0;
    char ignored = 0;
    if (!caller.follows) {
        // The caller reads its answer and goes; closing first could drop what it has not read.
        Read(pipe, &ignored, 1, moved, kLeavingPatienceMs);
        Leave(caller);
        return;
    }
    // A follower: every announced line, until it goes (its read ends) or the program ends.
    const UniqueKernelHandle gone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED watching{};
    watching.hEvent = gone.Get();
    if (::ReadFile(pipe, &ignored, 1, nullptr, &watching) != FALSE ||
        ::GetLastError() != ERROR_IO_PENDING) {
        Leave(caller);
        return;
    }
    ::SetEvent(caller.ready.Get());  // lines announced behind the answer are written first
    const HANDLE followed[3] = {caller.ready.Get(), stop_.Get(), gone.Get()};
    while (::WaitForMultipleObjects(3, followed, FALSE, INFINITE) == WAIT_OBJECT_0 &&
           WriteWaiting(caller, stop_.Get())) {
    }
    ::CancelIoEx(pipe, &watching);
    ::GetOverlappedResult(pipe, &watching, &moved, TRUE);
    Leave(caller);
}

bool CommandPipeServer::WriteWaiting(Caller& caller, HANDLE stop, std::size_t most) {
    for (std::size_t written = 0; written < most; ++written) {
        std::string message;
        {
            const std::lock_guard lock(mutex_);
            if (caller.dropped) {
                return false;
            }
            if (caller.out.empty()) {
                return true;
            }
            message = std::move(caller.out.front());
            caller.out.pop_front();
        }
        if (Write(caller.pipe.Get(), message, kReaderPatienceMs, stop) != Transfer::Done) {
            return false;
        }
    }
    return true;
}

void CommandPipeServer::Leave(const Caller& caller) {
    const std::lock_guard lock(mutex_);
    callers_.erase(caller.id);
}

std::vector<CommandRequest> CommandPipeServer::TakeRequests() {
    const std::lock_guard lock(mutex_);
    return std::exchange(waiting_, {});
}

void CommandPipeServer::Give(std::uint64_t caller, std::string text, bool follow) {
    const std::lock_guard lock(mutex_);
    const auto found = callers_.find(caller);
    if (found == callers_.end() || found->second->answered) {
        return;  // gone meanwhile
    }
    Caller& waiting = *found->second;
    waiting.answered = true;
    waiting.follows = follow;
    waiting.out.push_back(std::move(text));
    ::SetEvent(waiting.ready.Get());
}

void CommandPipeServer::Answer(std::uint64_t caller, int exitCode, std::string_view text) {
    Give(caller, std::to_string(exitCode) + "\n" + std::string(text), false);
}

void CommandPipeServer::Follow(std::uint64_t caller, std::string_view text) {
    Give(caller, "0\n" + std::string(text), true);
}

void CommandPipeServer::Announce(std::string_view line) {
    const std::lock_guard lock(mutex_);
    for (auto& [id, caller] : callers_) {
        if (!caller->follows) {
            continue;
        }
        if (caller->out.size() >= kMostQueuedLines) {
            caller->dropped = true;  // it reads nothing: it goes, and nothing piles up
        } else {
            caller->out.push_back(std::string(line) + "\n");
        }
        ::SetEvent(caller->ready.Get());
    }
}

void CommandPipeServer::Close() noexcept {
    if (stop_) {
        ::SetEvent(stop_.Get());
    }
    if (listener_.joinable()) {
        listener_.join();
    }
}

}  // namespace ombrel::win32
