#pragma once

#include <optional>

namespace ombrel::win32 {

// "Ombrel.exe --guard PID": waits for that Ombrel to end and, if it ended without its orderly
// exit (killed, crashed), shows what it left hidden. No window, no hotkey, no timer. Returns
// the exit code when this process was started as a guard, none otherwise.
std::optional<int> RunGuardIfAsked();

}  // namespace ombrel::win32
