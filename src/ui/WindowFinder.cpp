#include "ui/WindowFinder.h"

#include <algorithm>

#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {
namespace {

std::vector<std::u16string> FoldedWords(std::u16string_view typed) {
    std::vector<std::u16string> words;
    std::size_t start = 0;
    while (start < typed.size()) {
        const std::size_t blank = std::min(typed.find(u' ', start), typed.size());
        if (blank > start) {
            words.push_back(Folded(typed.substr(start, blank - start)));
        }
        start = blank + 1;
    }
    return words;
}

}  // namespace

std::vector<FinderRow> FinderRows(const DesktopState& state) {
    std::vector<FinderRow> rows;
    for (int index = 0; index < kDesktopCount; ++index) {
        for (const WindowState& window : state.windows[static_cast<std::size_t>(index)]) {
            rows.push_back({window.handle, window.pinned ? kPinnedRow : index, window.title,
                            window.program, window.lastActive});
        }
    }
    // Pinned windows are listed first in the state, each once: they keep that place among the
    // windows never used, as the desktops' own windows keep theirs.
    std::stable_sort(rows.begin(), rows.end(), [](const FinderRow& a, const FinderRow& b) {
        return a.lastActive > b.lastActive;
    });
    return rows;
}

std::vector<FinderRow> FilterRows(const std::vector<FinderRow>& rows, std::u16string_view typed) {
    const std::vector<std::u16string> words = FoldedWords(typed);
    std::vector<FinderRow> kept;
    for (const FinderRow& row : rows) {
        const std::u16string title = Folded(row.title);
        const std::u16string program = Folded(row.program);
        if (std::all_of(words.begin(), words.end(), [&](const std::u16string& word) {
                return title.find(word) != std::u16string::npos ||
                       program.find(word) != std::u16string::npos;
            })) {
            kept.push_back(row);
        }
    }
    return kept;
}

void WindowFinder::Open(const DesktopState& state, WindowHandle bar) {
    rows_ = FinderRows(state);
    if (view_.Open(bar, texts_.Text(TextId::FinderCaption), *this)) {
        Show(rows_);
    }
}

void WindowFinder::OnFinderTyped(std::u16string_view text) {
    Show(FilterRows(rows_, text));
}

void WindowFinder::OnFinderChosen(std::size_t line, bool bringHere) {
    if (line >= shown_.size()) {
        return;  // an empty list: Enter does nothing, the user may type again
    }
    const WindowHandle window = shown_[line].window;
    // The finder still has the front: the command gives it to the window chosen, and the
    // finder, no longer active, goes without activating anything else.
    run_(bringHere ? Command::Bring(window) : Command::GoTo(window));
    view_.Close();
}

void WindowFinder::OnFinderDismissed() {
    view_.Close();
}

void WindowFinder::Show(std::vector<FinderRow> rows) {
    shown_ = std::move(rows);
    std::vector<FinderLine> lines;
    lines.reserve(shown_.size());
    for (const FinderRow& row : shown_) {
        lines.push_back(
            {row.window,
             row.desktop == kPinnedRow ? std::u16string(texts_.Text(TextId::PinnedWindowMark))
                                       : DecimalText(row.desktop + 1),
             row.title.empty() ? std::u16string(texts_.Text(TextId::UntitledWindow)) : row.title,
             row.program});
    }
    view_.ShowLines(lines);
}

}  // namespace ombrel
