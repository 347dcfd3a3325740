#include "settings/clsComDlg.h"

namespace ombrel {
namespace {

std::u16string BeforeFirstNul(const std::u16string& buffer) {
    return buffer.substr(0, buffer.find(u'\0'));
}

// Blanks with a closing NUL: the buffer's size, and the dialog's initial file name.
std::u16string BlankBuffer(std::uint32_t chars) {
    std::u16string buffer(chars - 1, u' ');
    buffer.push_back(u'\0');
    return buffer;
}

}  // namespace

void clsComDlg::ShowOpen() {
    OpenFileRecord record;
    // Window handles keep their meaning in 32 bits and widen with their sign.
    record.owner =
        static_cast<WindowHandle>(static_cast<std::uintptr_t>(static_cast<std::intptr_t>(Hwnd_)));
    record.filter = Filter_ + std::u16string(2, u'\0');
    record.fileBuffer = BlankBuffer(kFileBufferChars);
    record.fileBufferChars = kFileBufferChars;
    record.fileTitleBuffer = BlankBuffer(kFileBufferChars);
    record.fileTitleBufferChars = kFileTitleBufferChars;
    record.initialDirectory = InitDir_;
    record.title = Title_;
    record.flags = 0;

    if (dialogs_.ShowOpenFileDialog(record)) {
        FileName_ = BeforeFirstNul(record.fileBuffer);
        FileTitle_ = BeforeFirstNul(record.fileTitleBuffer);
    } else {
        FileName_.clear();
        FileTitle_.clear();
    }
}

}  // namespace ombrel
