#pragma once

#include <cstdint>

namespace ombrel {

// The time of the moment: for spacing out writes, and for the date kept beside what is
// remembered from one start to the next.
class Clock {
  public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    // Milliseconds since some moment before this start; never goes back, whatever the user does
    // to the time of day.
    virtual std::uint64_t Milliseconds() noexcept = 0;
    // Today's date, as days since 1970-01-01 (UTC).
    virtual std::int64_t Today() noexcept = 0;
};

}  // namespace ombrel
