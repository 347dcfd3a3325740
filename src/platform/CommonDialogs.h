#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/WindowHandle.h"

namespace ombrel {

// The open-file dialog's record, as the caller fills it and the dialog writes it back.
struct OpenFileRecord {
    WindowHandle owner{};
    // Passed through as it is, embedded NULs and all; it must end with two NULs.
    std::u16string filter;
    // The buffers' contents up to their declared sizes (in characters, NUL included).
    std::u16string fileBuffer;
    std::uint32_t fileBufferChars = 0;
    std::u16string fileTitleBuffer;
    std::uint32_t fileTitleBufferChars = 0;
    // Not given: the system's choice.
    std::optional<std::u16string> initialDirectory;
    std::optional<std::u16string> title;
    std::uint32_t flags = 0;
};

// The open-file dialog's flags the program uses, with the values of OFN_*.
enum OpenFileFlags : std::uint32_t {
    OfnHideReadOnly = 0x4,
    OfnNoChangeDir = 0x8,
    OfnPathMustExist = 0x800,
    OfnFileMustExist = 0x1000,
};

enum MessageBoxStyle : std::uint32_t { MbOk = 0x0, MbIconWarning = 0x30, MbIconInformation = 0x40 };

// The system's modal dialogs.
class CommonDialogs {
  public:
    CommonDialogs() = default;
    CommonDialogs(const CommonDialogs&) = delete;
    CommonDialogs& operator=(const CommonDialogs&) = delete;
    virtual ~CommonDialogs() = default;

    // True when the user chose a file; the buffers then hold the results up to a NUL.
    virtual bool ShowOpenFileDialog(OpenFileRecord& record) noexcept = 0;
    virtual int ShowMessageBox(WindowHandle owner, std::u16string_view text,
                               std::u16string_view caption, std::uint32_t style) noexcept = 0;
    // A warning in a box of its own that returns at once: nothing waits for the user to close
    // it. The box this shows is one at a time: a new notice replaces one still open.
    virtual void ShowNotice(std::u16string_view text, std::u16string_view caption) noexcept = 0;
};

}  // namespace ombrel
