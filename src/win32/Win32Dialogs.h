#pragma once

#include <windows.h>

#include <commdlg.h>

#include "platform/CommonDialogs.h"
#include "win32/SystemLibrary.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

class Win32Dialogs final : public CommonDialogs {
  public:
    Win32Dialogs() = default;
    ~Win32Dialogs() override;
    Win32Dialogs(const Win32Dialogs&) = delete;
    Win32Dialogs& operator=(const Win32Dialogs&) = delete;

    bool ShowOpenFileDialog(OpenFileRecord& record) noexcept override;
    int ShowMessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                       std::uint32_t style) noexcept override;
    // The box runs on a thread of its own, so that its modal loop is nobody's.
    void ShowNotice(std::u16string_view text, std::u16string_view caption) noexcept override;

  private:
    static DWORD WINAPI NoticeThread(void* parameter) noexcept;
    void CloseNotice() noexcept;

    // The common dialogs bring the shell's libraries with them: loaded when the user first
    // browses, not at every start.
    SystemLibrary commonDialogs_{L"comdlg32.dll"};
    UniqueKernelHandle notice_;  // the thread of the notice on the screen
    DWORD noticeThread_ = 0;
};

}  // namespace ombrel::win32
