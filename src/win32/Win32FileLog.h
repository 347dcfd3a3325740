#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Log.h"

namespace ombrel::win32 {

// %LOCALAPPDATA%\Ombrel\Ombrel.log in UTF-8, one timestamped line per event, also sent to the
// debugger. A thread of its own does the writing, so a slow disk never holds a switch; it lives
// only while lines wait, since a thread costs a megabyte of memory under Wine and most of the
// program's life has nothing to log. Past 1 MiB the file becomes Ombrel.old.log (replacing the
// older one) and a new one begins.
class Win32FileLog final : public Log {
  public:
    static constexpr unsigned long long kMaxFileBytes = 1ULL << 20;

    Win32FileLog();
    ~Win32FileLog() override;
    Win32FileLog(const Win32FileLog&) = delete;
    Win32FileLog& operator=(const Win32FileLog&) = delete;

    void Write(std::u16string_view line) noexcept override;
    void Flush() noexcept override;

  private:
    // Starts the writer unless one runs; called with the lock held.
    void WakeWriter();
    void WriteQueuedLines();
    void Store(const std::deque<std::wstring>& lines);

    std::wstring directory_;  // empty when the system names no place for it
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::wstring> queue_;
    bool writing_ = false;  // a writer runs
    std::thread writer_;    // the last one started, joined before the next starts
};

}  // namespace ombrel::win32
