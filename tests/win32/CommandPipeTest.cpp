#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Log.h"
#include "win32/CommandPipe.h"
#include "win32/CommandPipeServer.h"
#include "win32/Handles.h"

namespace ombrel::win32 {
namespace {

class NoLog final : public Log {
  public:
    void Write(std::u16string_view /*line*/) noexcept override {}
    void Flush() noexcept override {}
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
        const HANDLE pipe = ::CreateFileW(CommandPipeName().c_str(), GENERIC_READ | GENERIC_WRITE,
                                          0, nullptr, OPEN_EXISTING, 0, nullptr);
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
    std::vector<CommandRequest> WaitForRequests() {
        const ULONGLONG end = ::GetTickCount64() + 5000;
        MSG message{};
        while (::GetTickCount64() < end) {
            while (::PeekMessageW(&message, window_, 0, 0, PM_REMOVE) != FALSE) {
                if (message.message == message_) {
                    return server_.TakeRequests();
                }
            }
            ::Sleep(5);
        }
        return {};
    }

    NoLog log_;
    CommandPipeServer server_{log_};
    HWND window_ = nullptr;
    UINT message_ = 0;
};

TEST_F(CommandPipe, ACommandIsAnsweredWhatIsNoneEndsAtOnceAndCloseWaitsForNoReader) {
    const HANDLE asking = Connect();
    Send(asking, "switch 2");
    const std::vector<CommandRequest> requests = WaitForRequests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].text, u"switch 2");
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

}  // namespace
}  // namespace ombrel::win32
