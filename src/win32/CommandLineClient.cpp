#include "win32/CommandLineClient.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "model/CommandWords.h"
#include "platform/Utf8.h"
#include "text/Texts.h"
#include "win32/CommandOutput.h"
#include "win32/CommandPipe.h"
#include "win32/ProcessImage.h"
#include "win32/UserLanguage.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr ULONGLONG kAnswerPatienceMs = 10000;

// The words after the program's own path, as the C runtime split them before the program began
// (the rules scripts and shortcuts quote for): nothing to load, and nothing that can fail here.
std::vector<std::u16string> CommandWords() {
    std::vector<std::u16string> words;
    for (int index = 1; index < __argc; ++index) {
        words.push_back(FromWide(__wargv[index]));
    }
    return words;
}

struct Ending {
    int code;
    TextId words;
};

constexpr Ending kNotRunning{kExitNotRunning, TextId::NotRunning};
constexpr Ending kNameTaken{kExitNotRunning, TextId::NotRunningNameTaken};
constexpr Ending kRefused{kExitNotRunning, TextId::RefusedByElevated};
constexpr Ending kLessTrusted{kExitNotRunning, TextId::ServerLessTrusted};
constexpr Ending kNoAnswer{kExitNoAnswer, TextId::NoAnswerInTime};
constexpr Ending kDropped{kExitNoAnswer, TextId::NotAnswered};

// The client's own words are in the language of the settings file, read only when one is said:
// an answer of the instance comes in its language already.
std::string Said(TextId id) {
    const Texts texts(SettingsFileLanguage());
    return ombrel::ToUtf8(texts.Text(id));
}

DWORD Left(ULONGLONG deadline) {
    const ULONGLONG now = ::GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// The pipe of the running instance, or how the attempt ended.
std::variant<UniqueKernelHandle, Ending> Connect(ULONGLONG deadline) {
    const std::wstring name = CommandPipeName();
    for (;;) {
        // Identification only: a program that made a pipe of this name cannot act as us.
        const HANDLE pipe = ::CreateFileW(
            name.c_str(), kCallerAccess, 0, nullptr, OPEN_EXISTING,
            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            return UniqueKernelHandle(pipe);
        }
        switch (::GetLastError()) {
            case ERROR_PIPE_BUSY:
                // Every instance has a caller: wait for one, within the patience we have.
                if (::WaitNamedPipeW(name.c_str(), std::max<DWORD>(Left(deadline), 1)) == FALSE &&
                    Left(deadline) == 0) {
                    return kNoAnswer;
                }
                continue;
            case ERROR_ACCESS_DENIED:
                return kRefused;
            default:
                return kNotRunning;
        }
    }
}

// One whole message; none when the pipe ended or the time ran out.
std::optional<std::string> ReadMessage(HANDLE pipe, DWORD timeoutMs) {
    std::string message;
    char buffer[4096];
    for (;;) {
        DWORD moved = 0;
        const Transfer result = Read(pipe, buffer, sizeof(buffer), moved, timeoutMs);
        message.append(buffer, moved);
        if (result == Transfer::Done) {
            return message;
        }
        if (result == Transfer::Failed) {
            return std::nullopt;
        }
    }
}

int Run(const Request& request, CommandOutput& output) {
    const ULONGLONG deadline = ::GetTickCount64() + kAnswerPatienceMs;
    std::variant<UniqueKernelHandle, Ending> connected = Connect(deadline);
    if (const Ending* ending = std::get_if<Ending>(&connected)) {
        output.Write(Said(ending->words));
        return ending->code;
    }
    const HANDLE pipe = std::get<UniqueKernelHandle>(connected).Get();
    // A pipe another program made under our name, or an instance any ordinary program may pose
    // as, learns nothing.
    const ChannelPeer server = ServerOf(pipe, OwnImagePath());
    const std::uint32_t integrity = OwnIntegrity();
    if (!TrustsServer(integrity, server)) {
        const bool lessTrusted = server.sameUser && server.sameSession && server.sameProgramFile &&
                                 server.integrity < integrity;
        const Ending& ending = lessTrusted ? kLessTrusted : kNameTaken;
        output.Write(Said(ending.words));
        return ending.code;
    }
    // We were started by the user (a prompt, a launcher, a key of his): the right to move the
    // keyboard is ours, and the instance needs it to leave the entered desktop's window active.
    ULONG serverId = 0;
    ::GetNamedPipeServerProcessId(pipe, &serverId);
    ::AllowSetForegroundWindow(serverId);
    DWORD mode = PIPE_READMODE_MESSAGE;
    ::SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
    const std::optional<std::string> answer =
        Write(pipe, ombrel::ToUtf8(RequestText(request)), Left(deadline)) == Transfer::Done
            ? ReadMessage(pipe, Left(deadline))
            : std::nullopt;
    const std::optional<ReadAnswerText> read = answer ? ReadAnswer(*answer) : std::nullopt;
    if (!read) {
        // Closed before the time ran out: it would not take the command.
        const Ending& ending = Left(deadline) > 0 ? kDropped : kNoAnswer;
        output.Write(Said(ending.words));
        return ending.code;
    }
    output.Write(read->text);
    if (std::holds_alternative<Subscription>(request)) {
        // Until Ombrel ends, or the user stops us.
        while (const std::optional<std::string> line = ReadMessage(pipe, INFINITE)) {
            output.Write(*line);
        }
    }
    return read->exitCode;
}

}  // namespace

std::optional<int> RunCommandLine() {
    const std::vector<std::u16string> words = CommandWords();
    if (words.empty()) {
        return std::nullopt;
    }
    CommandOutput output;
    const std::optional<Request> request = ParseRequest(words);
    if (!request || *request == Request{Query::Help}) {
        output.Write(Said(TextId::CommandUsage));
        return request ? kExitDone : kExitUsage;
    }
    return Run(*request, output);
}

}  // namespace ombrel::win32
