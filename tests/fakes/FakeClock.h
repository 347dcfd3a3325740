#pragma once

#include "platform/Clock.h"

namespace ombrel::fakes {

// Time that moves only when a test moves it; the day begins at midnight UTC.
class FakeClock final : public Clock {
  public:
    static constexpr std::int64_t kFirstDay = 20796;  // 2026-12-09
    static constexpr std::uint64_t kDay = 24ull * 60 * 60 * 1000;

    void Advance(std::uint64_t milliseconds) { milliseconds_ += milliseconds; }
    void AdvanceDays(std::int64_t days) { Advance(static_cast<std::uint64_t>(days) * kDay); }

    std::uint64_t Milliseconds() noexcept override { return milliseconds_; }
    std::int64_t Today() noexcept override {
        return kFirstDay + static_cast<std::int64_t>(milliseconds_ / kDay);
    }

  private:
    std::uint64_t milliseconds_ = 9 * 60 * 60 * 1000;  // 09:00
};

}  // namespace ombrel::fakes
