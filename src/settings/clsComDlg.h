#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CommonDialogs.h"
#include "platform/WindowHandle.h"

namespace ombrel {

// The system's open-file dialog for one browse: set the inputs, ShowOpen, read the results.
class clsComDlg {
  public:
    // Characters, NUL included: the path's buffer and, one less, the bare name's.
    static constexpr std::uint32_t kFileBufferChars = 256;
    static constexpr std::uint32_t kFileTitleBufferChars = 255;

    explicit clsComDlg(CommonDialogs& dialogs) : dialogs_(dialogs) {}
    clsComDlg(const clsComDlg&) = delete;
    clsComDlg& operator=(const clsComDlg&) = delete;

    // The window the dialog belongs to: it stays in front of it and disables it while open.
    void SetHwnd(WindowHandle owner) { Hwnd_ = owner; }
    void SetTitle(std::u16string title) { Title_ = std::move(title); }
    void SetInitDir(std::u16string directory) { InitDir_ = std::move(directory); }
    // Descriptions and their patterns, separated by "|": "Pictures|*.bmp;*.png|All files|*.*".
    void SetFilter(std::u16string filter) { Filter_ = std::move(filter); }
    const std::u16string& FileName() const { return FileName_; }
    const std::u16string& FileTitle() const { return FileTitle_; }

    // Returns when the user chose or cancelled; a cancel or any failure empties both results.
    // Only an existing file can be chosen.
    void ShowOpen();

  private:
    CommonDialogs& dialogs_;
    WindowHandle Hwnd_ = WindowHandle::None;
    std::optional<std::u16string> Title_;
    std::u16string FileName_;
    std::u16string FileTitle_;
    std::optional<std::u16string> InitDir_;
    std::u16string Filter_;
};

}  // namespace ombrel
