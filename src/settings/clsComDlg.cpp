#include "settings/clsComDlg.h"

#include <algorithm>

namespace ombrel {
namespace {

std::u16string BeforeFirstNul(const std::u16string& buffer) {
    return buffer.substr(0, buffer.find(u'\0'));
}

// The dialog's form: every description and pattern ends with a NUL, the list with another.
// A "|" can stand in no file name or pattern, so it is free to separate them.
std::u16string FilterRecord(std::u16string filter) {
    std::replace(filter.begin(), filter.end(), u'|', u'\0');
    if (filter.empty() || filter.back() != u'\0') {
        filter.push_back(u'\0');
    }
    filter.push_back(u'\0');
    return filter;
}

}  // namespace

void clsComDlg::ShowOpen() {
    OpenFileRecord record;
    record.owner = Hwnd_;
    record.filter = FilterRecord(Filter_);
    // Both buffers start empty: the name box opens blank and the title is only an answer.
    record.fileBufferChars = kFileBufferChars;
    record.fileTitleBufferChars = kFileTitleBufferChars;
    record.initialDirectory = InitDir_;
    record.title = Title_;
    // Only a file that is there can be chosen; no read-only box, which means nothing to a
    // chooser; the process's current directory stays where it was, wherever the user browsed.
    record.flags = OfnFileMustExist | OfnPathMustExist | OfnHideReadOnly | OfnNoChangeDir;

    if (dialogs_.ShowOpenFileDialog(record)) {
        FileName_ = BeforeFirstNul(record.fileBuffer);
        FileTitle_ = BeforeFirstNul(record.fileTitleBuffer);
    } else {
        FileName_.clear();
        FileTitle_.clear();
    }
}

}  // namespace ombrel
