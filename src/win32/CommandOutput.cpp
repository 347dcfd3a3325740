#include "win32/CommandOutput.h"

#include <optional>
#include <string>

#include "win32/WideText.h"

namespace ombrel::win32 {

CommandOutput::CommandOutput() {
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE) {
        const DWORD type = ::GetFileType(output);
        DWORD mode = 0;
        if (type == FILE_TYPE_CHAR && ::GetConsoleMode(output, &mode) != FALSE) {
            console_ = output;
            return;
        }
        // A file, a pipe, or a device that is not a console (NUL swallows what it gets).
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR) {
            bytes_ = output;
            return;
        }
    }
    // A program without a console of its own writes to the one it was started from, if any.
    if (::AttachConsole(ATTACH_PARENT_PROCESS) == FALSE) {
        return;
    }
    attached_ = true;
    const HANDLE console =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        ownConsole_.Reset(console);
        console_ = console;
    }
}

CommandOutput::~CommandOutput() {
    ownConsole_.Reset();
    if (attached_) {
        ::FreeConsole();
    }
}

void CommandOutput::Write(std::string_view utf8) {
    DWORD written = 0;
    if (bytes_ != nullptr) {
        ::WriteFile(bytes_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    } else if (console_ != nullptr) {
        const std::wstring wide = FromUtf8(utf8).value_or(L"");
        ::WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }
}

}  // namespace ombrel::win32
