#pragma once

#include <string>
#include <vector>

#include "platform/Log.h"

namespace ombrel::fakes {

// Keeps every line, in order.
class FakeLog final : public Log {
  public:
    void Write(std::u16string_view line) noexcept override { lines_.emplace_back(line); }
    void Flush() noexcept override { ++flushes_; }

    const std::vector<std::u16string>& Lines() const { return lines_; }
    // How many lines hold the text.
    std::size_t Count(std::u16string_view text) const {
        std::size_t count = 0;
        for (const std::u16string& line : lines_) {
            count += line.find(text) != std::u16string::npos ? 1 : 0;
        }
        return count;
    }
    int Flushes() const { return flushes_; }

  private:
    std::vector<std::u16string> lines_;
    int flushes_ = 0;
};

}  // namespace ombrel::fakes
