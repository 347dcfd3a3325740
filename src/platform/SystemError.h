#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace ombrel {

// What an operating-system call at a seam tells of how it went: the Win32 error code, zero for
// success. Every seam reports a failure this way, or as a SystemResult where a value comes back.
class [[nodiscard]] SystemError {
  public:
    constexpr SystemError() = default;
    constexpr explicit SystemError(std::uint32_t code) : code_(code) {}

    constexpr std::uint32_t Code() const { return code_; }
    constexpr bool Failed() const { return code_ != 0; }
    friend constexpr bool operator==(SystemError, SystemError) = default;

  private:
    std::uint32_t code_ = 0;
};

inline constexpr SystemError kSucceeded{};

// A value, or the error of the call that could not give it.
template <class T>
class [[nodiscard]] SystemResult {
  public:
    SystemResult(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
    SystemResult(SystemError error) : error_(error) {}   // NOLINT(google-explicit-constructor)

    bool Succeeded() const { return value_.has_value(); }
    const T& Value() const& { return *value_; }
    T& Value() & { return *value_; }
    T&& Value() && { return std::move(*value_); }
    // kSucceeded when there is a value.
    SystemError Error() const { return error_; }

  private:
    std::optional<T> value_;
    SystemError error_;
};

}  // namespace ombrel
