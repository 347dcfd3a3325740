#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace ombrel::win32 {

// Kernel objects that the program's own thread waits for beside its messages: when one is
// signalled, its call runs on that thread between two messages. The system's thread pool would
// wait as well, but with threads of its own, and under Wine every thread holds about a megabyte;
// what the calls do belongs on the program's thread anyway.
class MessageLoopWaits {
  public:
    MessageLoopWaits() = default;
    MessageLoopWaits(const MessageLoopWaits&) = delete;
    MessageLoopWaits& operator=(const MessageLoopWaits&) = delete;

    // False when as many objects as one wait takes are watched already.
    bool Add(HANDLE object, std::function<void()> signalled);
    void Remove(HANDLE object) noexcept;
    // Returns once a message waits, or after the call of one signalled object, so that an
    // object that stays signalled never keeps the messages waiting.
    void Wait() noexcept;

  private:
    std::vector<HANDLE> objects_;
    std::vector<std::function<void()>> calls_;
};

}  // namespace ombrel::win32
