#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "FakeDesktop.h"
#include "model/CommandWords.h"
#include "shell/CommandChannel.h"

namespace ombrel::fakes {

// The command channel as its callers see it: a command sent is announced to the bar at once,
// as the posted message would be, and what comes back is kept on the call.
class FakeCommandChannel final : public CommandChannel {
  public:
    struct Call {
        std::u16string text;
        bool answered = false;
        int exitCode = -1;
        std::string output;
        bool follows = false;
        std::vector<std::string> lines;  // announced while it follows
    };

    // An ordinary program of the user, in the program's log-on.
    static constexpr ChannelPeer kUsersProgram{true, true, true, true, kMediumIntegrity, false};

    explicit FakeCommandChannel(FakeDesktop& desktop) : desktop_(desktop) {}

    // Another process sends a command; the call as it stands once the bar ran it. What is not
    // a command, or comes from a caller the channel does not take, is dropped unanswered.
    const Call& Send(std::u16string_view text, const ChannelPeer& from = kUsersProgram) {
        calls_.push_back({std::u16string(text)});
        const std::optional<Request> request = ParseRequestText(text);
        if (open_ && TakesCommandsFrom(elevated_, from) && request) {
            waiting_.push_back({calls_.size() - 1, *request});
            desktop_.SendMessage(window_, message_);
        }
        return calls_.back();
    }
    bool IsOpen() const { return open_; }
    // How many lines were announced, followed or not.
    int Announced() const { return announced_; }
    // Another program holds the channel's name (a caller of a killed instance keeps it).
    void HoldName(bool held) { nameHeld_ = held; }
    // The program runs as administrator.
    void RunElevated() { elevated_ = true; }

    bool Open(WindowHandle window, std::uint32_t message) override {
        if (nameHeld_) {
            return false;
        }
        window_ = window;
        message_ = message;
        open_ = true;
        return true;
    }
    std::vector<CommandRequest> TakeRequests() override { return std::exchange(waiting_, {}); }
    void Answer(std::uint64_t caller, int exitCode, std::string_view text) override {
        Call& call = calls_.at(caller);
        if (call.answered) {
            return;  // one answer per call
        }
        call.answered = true;
        call.exitCode = exitCode;
        call.output = text;
    }
    void Follow(std::uint64_t caller, std::string_view text) override {
        Answer(caller, 0, text);
        calls_.at(caller).follows = true;
    }
    void Announce(std::string_view line) override {
        ++announced_;
        for (Call& call : calls_) {
            if (call.follows) {
                call.lines.emplace_back(line);
            }
        }
    }
    bool HasFollowers() const override {
        return std::any_of(calls_.begin(), calls_.end(),
                           [](const Call& call) { return call.follows; });
    }
    void Close() noexcept override {
        open_ = false;
        for (Call& call : calls_) {
            call.follows = false;
        }
    }

  private:
    FakeDesktop& desktop_;
    std::deque<Call> calls_;
    std::vector<CommandRequest> waiting_;
    WindowHandle window_ = WindowHandle::None;
    std::uint32_t message_ = 0;
    bool open_ = false;
    int announced_ = 0;
    bool nameHeld_ = false;
    bool elevated_ = false;
};

}  // namespace ombrel::fakes
