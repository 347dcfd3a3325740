#pragma once

#include <windows.h>

#include <string_view>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// Where a command line's words go: the standard output when it is a file, a pipe or NUL (as
// UTF-8, whatever the code page); the console the command was typed in otherwise; nowhere
// when there is neither.
class CommandOutput {
  public:
    CommandOutput();
    CommandOutput(const CommandOutput&) = delete;
    CommandOutput& operator=(const CommandOutput&) = delete;
    ~CommandOutput();

    void Write(std::string_view utf8);

  private:
    HANDLE bytes_ = nullptr;    // the standard output, redirected
    HANDLE console_ = nullptr;  // a console, written as wide text
    UniqueKernelHandle ownConsole_;
    bool attached_ = false;
};

}  // namespace ombrel::win32
