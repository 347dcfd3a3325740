#include "win32/CommandPipeServer.h"

#include <algorithm>
#include <utility>

#include "model/CommandWords.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "text/Texts.h"
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

CommandPipeServer::CommandPipeServer(Log& log, const Texts& texts)
    : log_(log),
      texts_(texts),
      name_(CommandPipeName()),
      elevated_(RunsElevated()),
      security_(elevated_),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      back_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

UniqueKernelHandle CommandPipeServer::MakeInstance(bool first) {
    // No more instances than ours: a program that makes one first keeps us from all of them,
    // and one that comes later finds none left to make.
    const HANDLE pipe = ::CreateNamedPipeW(
        name_.c_str(),
        PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED |
            (first ? FILE_FLAG_FIRST_PIPE_INSTANCE | WRITE_DAC : 0),
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
        kInstances, kOutBufferBytes, kMostCommandBytes, 0, security_.Attributes());
    return UniqueKernelHandle(pipe == INVALID_HANDLE_VALUE ? nullptr : pipe);
}

void CommandPipeServer::Refused(std::u16string_view why) {
    // Asked again at every refresh while the name is held: the log hears of it once.
    if (!std::exchange(refusalLogged_, true)) {
        log_.Write(texts_.Format(TextId::CommandLineUnavailable, {why}));
    }
}

bool CommandPipeServer::Open(WindowHandle window, std::uint32_t message) {
    if (open_) {
        return true;
    }
    window_ = ToHwnd(window);
    message_ = message;
    if (security_.Attributes() == nullptr || !stop_ || !back_) {
        Refused(texts_.Format(TextId::PipeAccessNotMade, {DecimalText(::GetLastError())}));
        return false;
    }
    std::vector<std::unique_ptr<Instance>> made;
    while (made.size() < kInstances) {
        UniqueKernelHandle pipe = MakeInstance(made.empty());
        UniqueKernelHandle connected(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!pipe || !connected) {
            const DWORD error = ::GetLastError();
            Refused(
                error == ERROR_ACCESS_DENIED || error == ERROR_PIPE_BUSY
                    ? texts_.Format(TextId::PipeHeld, {FromWide(name_)})
                    : texts_.Format(TextId::PipeNotMade, {FromWide(name_), DecimalText(error)}));
            return false;  // what was made goes: the name is nobody's again
        }
        auto instance = std::make_unique<Instance>();
        instance->pipe = std::move(pipe);
        instance->connected = std::move(connected);
        made.push_back(std::move(instance));
    }
    if (!security_.Seal(made.front()->pipe.Get())) {
        Refused(texts_.Format(TextId::PipeAccessNotSealed, {DecimalText(::GetLastError())}));
        return false;
    }
    if (refusalLogged_) {
        log_.Write(texts_.Format(TextId::PipeReady, {FromWide(name_)}));
    }
    instances_ = std::move(made);
    open_ = true;
    listener_ = std::thread([this] { Listen(); });
    return true;
}

bool CommandPipeServer::Arm(Instance& instance) {
    instance.pending = {};
    instance.pending.hEvent = instance.connected.Get();
    ::ResetEvent(instance.connected.Get());
    if (::ConnectNamedPipe(instance.pipe.Get(), &instance.pending) != FALSE) {
        return true;
    }
    switch (::GetLastError()) {
        case ERROR_PIPE_CONNECTED:
            return true;
        case ERROR_IO_PENDING:
            instance.listening = true;
            return false;
        default:
            // A caller that came and went before we listened: the instance is free again at
            // the next round.
            ::DisconnectNamedPipe(instance.pipe.Get());
            return false;
    }
}

void CommandPipeServer::Listen() {
    for (;;) {
        bool idle = false;  // an instance that could not listen, tried again shortly
        for (const std::unique_ptr<Instance>& instance : instances_) {
            if (instance->back.exchange(false)) {
                instance->serving = false;
            }
            if (!instance->serving && !instance->listening) {
                if (Arm(*instance)) {
                    Join(*instance);
                } else {
                    idle = idle || !instance->listening;
                }
            }
        }
        std::vector<HANDLE> events{stop_.Get(), back_.Get()};
        std::vector<Instance*> listening;
        for (const std::unique_ptr<Instance>& instance : instances_) {
            if (instance->listening) {
                events.push_back(instance->connected.Get());
                listening.push_back(instance.get());
            }
        }
        // A failure that comes again at once must not spin the thread.
        const DWORD woke =
            ::WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE,
                                     idle ? kFailedConnectPauseMs : INFINITE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) {
            break;
        }
        if (woke < WAIT_OBJECT_0 + 2 || woke >= WAIT_OBJECT_0 + events.size()) {
            continue;  // an instance came back, or the pause ended
        }
        Instance& instance = *listening[woke - WAIT_OBJECT_0 - 2];
        instance.listening = false;
        DWORD ignored = 0;
        if (::GetOverlappedResult(instance.pipe.Get(), &instance.pending, &ignored, FALSE) !=
            FALSE) {
            Join(instance);
        } else {
            ::DisconnectNamedPipe(instance.pipe.Get());
        }
    }
    for (const std::unique_ptr<Instance>& instance : instances_) {
        if (instance->listening) {
            ::CancelIoEx(instance->pipe.Get(), &instance->pending);
            DWORD ignored = 0;
            ::GetOverlappedResult(instance->pipe.Get(), &instance->pending, &ignored, TRUE);
            instance->listening = false;
        }
    }
    for (auto& server : servers_) {
        server.first.join();
    }
    servers_.clear();
}

void CommandPipeServer::Join(Instance& instance) {
    std::erase_if(servers_, [](auto& server) {
        if (!server.second->done) {
            return false;
        }
        server.first.join();
        return true;
    });
    const auto served = std::count_if(servers_.begin(), servers_.end(), [](const auto& server) {
        return !server.second->turnedAway;
    });
    auto caller = std::make_shared<Caller>();
    caller->pipe = instance.pipe.Get();
    caller->ready.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    caller->turnedAway = static_cast<std::size_t>(served) >= kMostCallers;
    instance.serving = true;
    std::thread server([this, caller, &instance] {
        Serve(caller);
        // Disconnected as soon as it is done with: the caller's read ends at once.
        ::DisconnectNamedPipe(instance.pipe.Get());
        instance.back = true;
        ::SetEvent(back_.Get());
        caller->done = true;
    });
    servers_.emplace_back(std::move(server), caller);
}

std::optional<Request> CommandPipeServer::ReadCommand(HANDLE pipe) {
    char buffer[kMostCommandBytes];
    DWORD moved = 0;
    if (Read(pipe, buffer, sizeof(buffer), moved, kSilenceLimitMs, stop_.Get()) != Transfer::Done ||
        moved == 0) {
        return std::nullopt;
    }
    const std::optional<std::wstring> text = FromUtf8({buffer, moved});
    return text ? ParseRequestText(FromWide(*text)) : std::nullopt;
}

void CommandPipeServer::Serve(const std::shared_ptr<Caller>& shared) {
    Caller& caller = *shared;
    const HANDLE pipe = caller.pipe;
    DWORD moved = 0;
    char ignored = 0;
    if (!TakesCommandsFrom(elevated_, CallerOf(pipe))) {
        // Another log-on or session, below medium integrity, or an ordinary program beside an
        // elevated Ombrel: nothing is said to it.
        if (!callerRefusalLogged_.exchange(true)) {
            log_.Write(texts_.Text(elevated_ ? TextId::CallerRefusedByElevated
                                             : TextId::CallerRefusedFromElsewhere));
        }
        return;
    }
    if (caller.turnedAway) {
        // Told rather than left to wait: it may try again once others are served.
        if (Write(pipe, AnswerText(kExitNoAnswer, ombrel::ToUtf8(texts_.Text(TextId::PipeBusy))),
                  kReaderPatienceMs, stop_.Get()) == Transfer::Done) {
            Read(pipe, &ignored, 1, moved, kLeavingPatienceMs, stop_.Get());
        }
        return;
    }
    const std::optional<Request> command = ReadCommand(pipe);
    if (!command) {
        return;  // silent, too long, or not a command: dropped without a word
    }
    {
        const std::lock_guard lock(mutex_);
        caller.id = nextCaller_++;
        callers_.emplace(caller.id, shared);
        waiting_.push_back({caller.id, *command});
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
        if (Write(caller.pipe, message, kReaderPatienceMs, stop) != Transfer::Done) {
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
    Give(caller, AnswerText(exitCode, text), false);
}

void CommandPipeServer::Follow(std::uint64_t caller, std::string_view text) {
    Give(caller, AnswerText(kExitDone, text), true);
}

bool CommandPipeServer::HasFollowers() const {
    const std::lock_guard lock(mutex_);
    return std::any_of(callers_.begin(), callers_.end(),
                       [](const auto& entry) { return entry.second->follows; });
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
    instances_.clear();
}

}  // namespace ombrel::win32
