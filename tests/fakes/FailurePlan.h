#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel::fakes {

// Tells a fake to fail some of its calls with a Win32 error code.
class FailurePlan {
  public:
    static constexpr int kAlways = -1;

    // After `skip` calls that go through, the next `times` calls of `call` fail with `error`
    // (kAlways: every call from then on).
    void Fail(std::string_view call, std::uint32_t error, int times = kAlways, int skip = 0) {
        plan_[std::string(call)] = {error, times, skip};
    }
    void Clear() { plan_.clear(); }

    // The error this call must fail with, if any; counts the failure down.
    std::optional<std::uint32_t> Take(std::string_view call) {
        const auto found = plan_.find(std::string(call));
        if (found == plan_.end()) {
            return std::nullopt;
        }
        Entry& entry = found->second;
        if (entry.skip > 0) {
            --entry.skip;
            return std::nullopt;
        }
        const std::uint32_t error = entry.error;
        if (entry.remaining != kAlways && --entry.remaining == 0) {
            plan_.erase(found);
        }
        return error;
    }

  private:
    struct Entry {
        std::uint32_t error;
        int remaining;
        int skip;
    };
    std::map<std::string, Entry, std::less<>> plan_;
};

}  // namespace ombrel::fakes
