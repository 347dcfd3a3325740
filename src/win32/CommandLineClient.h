#pragma once

#include <optional>

namespace ombrel::win32 {

// Runs the command given on this process's command line in the instance already running, and
// prints what it has to say: to standard output when it is redirected, otherwise to the
// console of the command that started it. The process's exit code: 0 done, 1 Ombrel is not
// running, 2 an unknown command or a bad argument. None when there is no command: start as
// usual.
std::optional<int> RunCommandLine();

}  // namespace ombrel::win32
