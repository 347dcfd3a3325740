#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Log.h"
#include "win32/CommandPipe.h"
#include "win32/CommandPipeServer.h"
#include "win32/Handles.h"
#include "win32/ProcessImage.h"

namespace ombrel::win32 {
namespace {

class KeptLog final : public Log {
  public:
    void Write(std::u16string_view line) noexcept override { lines.emplace_back(line); }
    void Flush() noexcept override {}
    std::vector<std::u16string> lines;
};

// The server in this process, its notices on a message-only window of this thread.
class CommandPipe : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
        message_ = ::RegisterWindowMessageW(L"Ombrel.Test.CommandsWaiting");
        ASSERT_TRUE(server_.Open(FromHwnd(window_), message_));
    }
    void TearDown() override {
        server_.Close();
        ::DestroyWindow(window_);
    }

    // A caller of the user's, connected, its reads in message mode.
    HANDLE Connect() {
        const HANDLE pipe = ::CreateFileW(CommandPipeName().c_str(), kCallerAccess, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(pipe, INVALID_HANDLE_VALUE) << ::GetLastError();
        DWORD mode = PIPE_READMODE_MESSAGE;
        ::SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
        return pipe;
    }
    static void Send(HANDLE pipe, const std::string& bytes) {
        DWORD written = 0;
        ::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    // What the next read gives; empty when the pipe ended. Also how long it took.
    static std::string Receive(HANDLE pipe, ULONGLONG* took = nullptr) {
        const ULONGLONG start = ::GetTickCount64();
        char buffer[4096];
        DWORD read = 0;
        const BOOL done = ::ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr);
        if (took != nullptr) {
            *took = ::GetTickCount64() - start;
        }
        return done != FALSE ? std::string(buffer, read) : std::string();
    }
    // The requests the bar's thread would take once the notice arrives.
    std::vector<CommandRequest> WaitForRequests() { return WaitForRequests(server_); }
    std::vector<CommandRequest> WaitForRequests(CommandPipeServer& server) {
        const ULONGLONG end = ::GetTickCount64() + 5000;
        MSG message{};
        while (::GetTickCount64() < end) {
            while (::PeekMessageW(&message, window_, 0, 0, PM_REMOVE) != FALSE) {
                if (message.message == message_) {
                    return server.TakeRequests();
                }
            }
            ::Sleep(5);
        }
        return {};
    }

    KeptLog log_;
    Texts texts_;
    CommandPipeServer server_{log_, texts_};
    HWND window_ = nullptr;
    UINT message_ = 0;
};

TEST_F(CommandPipe, ACommandIsAnsweredWhatIsNoneEndsAtOnceAndCloseWaitsForNoReader) {
    const HANDLE asking = Connect();
    Send(asking, "switch 2");
    const std::vector<CommandRequest> requests = WaitForRequests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].request, Request{Command::SwitchTo(1)});
    server_.Answer(requests[0].caller, 4, "nothing");
    EXPECT_EQ(Receive(asking), "4\nnothing");
    ::CloseHandle(asking);

    // Not a command, or too long: the pipe ends at once, and the bar hears nothing.
    for (const std::string& wrong : {std::string("jump 3"), std::string(2000, 'x')}) {
        const HANDLE caller = Connect();
        Send(caller, wrong);
        ULONGLONG took = 0;
        EXPECT_EQ(Receive(caller, &took), "");
        EXPECT_LT(took, 1000U) << wrong.size();
        ::CloseHandle(caller);
    }
    EXPECT_TRUE(server_.TakeRequests().empty());

    // A follower that reads nothing: the program's end does not wait on it.
    const HANDLE follower = Connect();
    Send(follower, "watch");
    const std::vector<CommandRequest> watch = WaitForRequests();
    ASSERT_EQ(watch.size(), 1U);
    server_.Follow(watch[0].caller, "{}\n");
    for (int line = 0; line < 3000; ++line) {
        server_.Announce(std::string(200, 'l'));
    }
    const ULONGLONG closing = ::GetTickCount64();
    server_.Close();
    EXPECT_LT(::GetTickCount64() - closing, 1500U);
    ::CloseHandle(follower);
}

TEST_F(CommandPipe, NoOtherProgramAddsAnInstanceAndCallersMayOnlyReadAndWrite) {
    const std::wstring name = CommandPipeName();
    const HANDLE added = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE,
                                            PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    EXPECT_EQ(added, INVALID_HANDLE_VALUE);
    if (added != INVALID_HANDLE_VALUE) {
        ::CloseHandle(added);
    }
    // The user and the owner read and write; neither may make an instance or change the access.
    const HANDLE caller = Connect();
    const std::wstring security = CommandPipeSecurity::Describe(caller);
    const std::wstring dacl = security.substr(0, security.find(L"S:"));
    EXPECT_TRUE(dacl.starts_with(L"D:P(A;;0x12019b;;;S-1-5-21-")) << security;
    EXPECT_TRUE(dacl.ends_with(L")(A;;0x12019b;;;OW)")) << security;
    EXPECT_EQ(std::count(dacl.begin(), dacl.end(), L'('), 2) << security;
    // 33 callers at once: 32 served, one told at once that Ombrel is busy, and no instance
    // beyond. Which one is told depends on the order the server hears of them, not on ours.
    std::vector<HANDLE> callers{caller};
    for (int more = 1; more <= 32; ++more) {
        callers.push_back(Connect());
    }
    const auto told = [&callers] {
        std::vector<HANDLE> answered;
        for (const HANDLE each : callers) {
            DWORD waiting = 0;
            if (::PeekNamedPipe(each, nullptr, 0, nullptr, &waiting, nullptr) != FALSE &&
                waiting > 0) {
                answered.push_back(each);
            }
        }
        return answered;
    };
    const ULONGLONG end = ::GetTickCount64() + 1000;
    while (told().empty() && ::GetTickCount64() < end) {
        ::Sleep(5);
    }
    const HANDLE beyond =
        ::CreateFileW(name.c_str(), kCallerAccess, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(beyond, INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PIPE_BUSY));
    const std::vector<HANDLE> answered = told();
    ASSERT_EQ(answered.size(), 1U);
    EXPECT_TRUE(Receive(answered.front()).starts_with("3\n"));
    for (const HANDLE each : callers) {
        ::CloseHandle(each);
    }
}

TEST_F(CommandPipe, ANameHeldElsewhereIsLoggedOnceAndTakenWhenFree) {
    CommandPipeServer next{log_, texts_};
    const std::size_t before = log_.lines.size();
    EXPECT_FALSE(next.Open(FromHwnd(window_), message_));
    EXPECT_FALSE(next.Open(FromHwnd(window_), message_));
    EXPECT_EQ(log_.lines.size(), before + 1);
    server_.Close();
    ASSERT_TRUE(next.Open(FromHwnd(window_), message_));
    EXPECT_EQ(log_.lines.size(), before + 2);  // and that it is there now
    const HANDLE asking = Connect();
    Send(asking, "next");
    const std::vector<CommandRequest> requests = WaitForRequests(next);
    ASSERT_EQ(requests.size(), 1U);
    next.Answer(requests[0].caller, 0, "");
    EXPECT_EQ(Receive(asking), "0\n");
    ::CloseHandle(asking);
    next.Close();
}

TEST_F(CommandPipe, AClientKnowsItsServerByItsProgramFileNotItsName) {
    const HANDLE pipe = Connect();
    const std::wstring own = OwnImagePath();
    const ChannelPeer server = ServerOf(pipe, own);
    EXPECT_TRUE(TrustsServer(OwnIntegrity(), server));
    // A link to the very file under another name is it; a copy under the same name is not.
    const std::filesystem::path program(own);
    const std::filesystem::path link = program.parent_path() / L"win32_tests-link.exe";
    const std::filesystem::path copy = program.parent_path() / L"copy" / program.filename();
    std::error_code ignored;
    std::filesystem::remove(link, ignored);
    std::filesystem::create_directories(copy.parent_path(), ignored);
    // Wine will not delete a name of a running image, so a link from an earlier run of this
    // same file may still be there: it is the link wanted.
    ASSERT_TRUE(::CreateHardLinkW(link.c_str(), own.c_str(), nullptr) != FALSE ||
                ::GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(std::filesystem::copy_file(
        program, copy, std::filesystem::copy_options::overwrite_existing, ignored));
    EXPECT_TRUE(ServerOf(pipe, link.wstring()).sameProgramFile);
    EXPECT_FALSE(ServerOf(pipe, copy.wstring()).sameProgramFile);
    std::filesystem::remove(link, ignored);
    std::filesystem::remove_all(copy.parent_path(), ignored);
    ::CloseHandle(pipe);
}

}  // namespace
}  // namespace ombrel::win32
