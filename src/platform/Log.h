#pragma once

#include <string_view>

namespace ombrel {

// Where the program writes what would otherwise vanish: a refused call, a failed write, a shell
// restart. One line per event; the writer adds the time. Writing never waits on the disk and
// never fails the caller.
class Log {
  public:
    Log() = default;
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;
    virtual ~Log() = default;

    virtual void Write(std::u16string_view line) noexcept = 0;
    // Waits a moment for the lines written so far to be stored: the process is about to end.
    virtual void Flush() noexcept = 0;
};

}  // namespace ombrel
