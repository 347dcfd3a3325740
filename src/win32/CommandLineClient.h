#pragma once

#include <optional>

namespace ombrel::win32 {

// Runs the command given on this process's command line in the instance already running, over
// its command pipe, and prints what it answers (see CommandOutput). The process's exit code is
// one of ExitCode's. None when there is no command: start as usual.
std::optional<int> RunCommandLine();

}  // namespace ombrel::win32
