#include "win32/Win32Clock.h"

#include <windows.h>

namespace ombrel::win32 {

std::uint64_t Win32Clock::Milliseconds() noexcept {
    return ::GetTickCount64();
}

std::int64_t Win32Clock::Today() noexcept {
    // FILETIME counts 100-ns intervals from 1601-01-01, 134774 days before 1970-01-01.
    constexpr std::int64_t kIntervalsPerDay = 24LL * 60 * 60 * 10'000'000;
    constexpr std::int64_t kDaysFrom1601To1970 = 134774;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto intervals = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return intervals / kIntervalsPerDay - kDaysFrom1601To1970;
}

}  // namespace ombrel::win32
