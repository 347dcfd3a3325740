#pragma once

#include <windows.h>

#include "ui/forms/Form.h"
#include "win32/NativeControls.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// Hears of another program's window that the user carried and let go over a form's window, and
// tells the form which of its controls it was let go over. The system's news of moves reaches
// every watcher of the thread through the one hook that HookMoveSizeEvents makes.
class DropWatcher {
  public:
    DropWatcher(Form& form, const NativeControls& controls) : form_(form), controls_(controls) {}
    DropWatcher(const DropWatcher&) = delete;
    DropWatcher& operator=(const DropWatcher&) = delete;
    ~DropWatcher() { Detach(); }

    // Watches over this window of the form from now on, until it is detached.
    void Attach(HWND window);
    void Detach();

    // The system's news of the start and end of a move or size, from now on, for as long as the
    // hook lives. Our own windows' moves are not news.
    static UniqueWinEventHook HookMoveSizeEvents();

  private:
    static void CALLBACK OnMoveSizeEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD thread, DWORD time);
    void OnMoveStarted(HWND moving);
    void OnMoveEnded(HWND moved);

    Form& form_;
    const NativeControls& controls_;
    HWND window_ = nullptr;
    // The window the user is moving or sizing, and its size and scale at the start.
    HWND moving_ = nullptr;
    SIZE movingSize_{};
    UINT movingDpi_ = 0;
};

}  // namespace ombrel::win32
