#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "text/TextId.h"

namespace ombrel {

struct TextEntry {
    TextId id;
    std::u16string_view text;
};

// The languages the program speaks; Chinese is the first, and stands in for a text another
// table lacks.
enum class Language : std::uint8_t { Chinese, English };

// The Chinese table: every id, in the order of TextId.
std::span<const TextEntry> ChineseTexts();
// The English table, in the same order; an id it lacks is read from the Chinese one.
std::span<const TextEntry> EnglishTexts();

// The texts in force. One is made at start and handed to whatever speaks to the user; a reload
// of the settings may change its language while the command line's threads read it.
class Texts {
  public:
    explicit Texts(Language language = Language::Chinese) noexcept : language_(language) {}
    Texts(const Texts&) = delete;
    Texts& operator=(const Texts&) = delete;
    ~Texts() = default;

    void Use(Language language) noexcept { language_.store(language); }
    Language InForce() const noexcept { return language_.load(); }

    // The text of the id.
    std::u16string_view Text(TextId id) const;
    // The text with {1}, {2}... replaced by the arguments in their order; a mark without an
    // argument stays as it is.
    std::u16string Format(TextId id, std::span<const std::u16string_view> arguments) const;
    std::u16string Format(TextId id, std::initializer_list<std::u16string_view> arguments) const {
        return Format(id,
                      std::span<const std::u16string_view>(arguments.begin(), arguments.size()));
    }

  private:
    std::atomic<Language> language_;
};

}  // namespace ombrel
