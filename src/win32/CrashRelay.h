#pragma once

#include <windows.h>

#include <atomic>

#include "shell/Program.h"
#include "win32/NativeWindow.h"

namespace ombrel::win32 {

// The restore of a dying process runs on the thread that owns the program's state, whatever
// thread fails: a failing worker thread hands it to the message loop's thread through a window
// of its own and waits a moment for it; it never touches the windows we hid itself, while
// that thread may be changing them. What the moment does not cover, the guard does.
class CrashRelay final : public NativeWindow {
  public:
    CrashRelay(HINSTANCE instance, Program& program);
    CrashRelay(const CrashRelay&) = delete;
    CrashRelay& operator=(const CrashRelay&) = delete;
    ~CrashRelay();

    // From the crash filter or std::terminate, on any thread; the restore runs once.
    void RestoreFromAnyThread() noexcept;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RestoreOnce() noexcept;

    Program& program_;
    DWORD ownerThread_;
    std::atomic<bool> restored_{false};
};

}  // namespace ombrel::win32
