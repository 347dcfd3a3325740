#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ombrel {

// What is kept of one window from one start to the next: what it was, and where it was.
struct PlaceRecord {
    static constexpr int kPinned = -1;

    std::u16string program;    // the full path of its program file
    std::u16string className;  // its window class
    std::u16string appId;      // its AppUserModelID; empty where it had none
    std::u16string title;      // as last seen
    int desktop = 0;           // the desktop's index, or kPinned
    // 1 for the first of its program's windows of its class to appear in that run, and so on.
    int order = 1;
    std::int64_t lastMet = 0;  // days since 1970-01-01
    friend bool operator==(const PlaceRecord&, const PlaceRecord&) = default;
};

// What a window seen now is, as far as its record is concerned.
struct WindowTraits {
    std::u16string program;
    std::u16string className;
    std::u16string appId;
    std::u16string title;
};

// How alike two titles are, from 0 to 1: the units of the longest common start and the longest
// common end (not overlapping) over the longer title's. Programs put the document first and
// their own name last ("report.docx - Word"), so what changed in the middle of a title (a
// count, a state) leaves it alike; a title that is all new is not.
double TitleLikeness(std::u16string_view a, std::u16string_view b);
// Below this two titles do not count as alike.
inline constexpr double kLikeTitles = 0.5;

// Whether the record is of the window's program: the same program file and class (letters in
// either case), and the same AppUserModelID where both have one.
bool SameProgram(const PlaceRecord& record, const WindowTraits& window);

// Which of the candidates is the window's record: of its program, then the one of the same
// title, else of the most alike title, else the closest in the order of appearance (order: the
// window's place among its program's windows seen in this run). None when no candidate is of
// its program.
std::optional<std::size_t> BestRecord(std::span<const PlaceRecord* const> candidates,
                                      const WindowTraits& window, int order);

}  // namespace ombrel
