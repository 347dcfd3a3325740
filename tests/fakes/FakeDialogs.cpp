#include "FakeDialogs.h"

namespace ombrel::fakes {

bool FakeDialogs::ShowOpenFileDialog(OpenFileRecord& record) noexcept {
    openFileCalls_.push_back(record);
    std::optional<std::u16string> choice;
    if (!choices_.empty()) {
        choice = std::move(choices_.front());
        choices_.pop_front();
    }
    if (!choice) {
        return false;
    }
    // Like the system dialog: a path that does not fit the buffer fails the call.
    if (choice->size() + 1 > record.fileBufferChars) {
        return false;
    }
    const auto slash = choice->rfind(u'\\');
    std::u16string title = slash == std::u16string::npos ? *choice : choice->substr(slash + 1);
    record.fileBuffer = *choice + u'\0';
    if (title.size() + 1 <= record.fileTitleBufferChars) {
        record.fileTitleBuffer = title + u'\0';
    }
    return true;
}

int FakeDialogs::ShowMessageBox(WindowHandle owner, std::u16string_view text,
                                std::u16string_view caption, std::uint32_t style) noexcept {
    messages_.push_back({owner, std::u16string(text), std::u16string(caption), style});
    return 1;
}

void FakeDialogs::ShowNotice(std::u16string_view text, std::u16string_view) noexcept {
    notices_.emplace_back(text);
}

}  // namespace ombrel::fakes
