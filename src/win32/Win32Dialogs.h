#pragma once

#include <windows.h>

#include <commdlg.h>

#include "platform/CommonDialogs.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

class Win32Dialogs final : public CommonDialogs {
  public:
    bool ShowOpenFileDialog(OpenFileRecord& record) noexcept override;
    int ShowMessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                       std::uint32_t style) noexcept override;

  private:
    using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

    // The common dialogs bring the shell's libraries with them: loaded when the user first
    // browses, not at every start.
    GetOpenFileNameFunction GetOpenFileName() noexcept;

    UniqueModule commonDialogs_;
    GetOpenFileNameFunction getOpenFileName_ = nullptr;
};

}  // namespace ombrel::win32
