#pragma once

#include "platform/Clock.h"

namespace ombrel::win32 {

class Win32Clock final : public Clock {
  public:
    std::uint64_t Milliseconds() noexcept override;
    std::int64_t Today() noexcept override;
};

}  // namespace ombrel::win32
