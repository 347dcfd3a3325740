#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/TextId.h"
#include "text/Texts.h"

namespace ombrel {

// What a layout row shows: a text of the table, with a number for its {1} where it takes one,
// or a text that reads the same in every language (a digit, a key's name, the program's name).
// The rows stay constexpr; the table is read when the form is built.
class LayoutText {
  public:
    constexpr LayoutText() = default;
    // Implicit, so that a row reads `.caption = u"5"` or `.caption = TextId::ExitButton`.
    constexpr LayoutText(const char16_t* fixed) : fixed_(fixed) {}
    constexpr LayoutText(std::u16string_view fixed) : fixed_(fixed) {}
    constexpr LayoutText(TextId id) : id_(id) {}
    constexpr LayoutText(TextId id, int number) : id_(id), number_(number) {}

    // The text the user reads.
    std::u16string Resolve(const Texts& texts) const;
    // Whether it is read from the table, and so changes with the language.
    bool FromTable() const { return id_.has_value(); }

  private:
    std::u16string_view fixed_;
    std::optional<TextId> id_;
    std::optional<int> number_;
};

}  // namespace ombrel
