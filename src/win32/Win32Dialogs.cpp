#include "win32/Win32Dialogs.h"

#include <memory>
#include <vector>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

static_assert(OfnHideReadOnly == OFN_HIDEREADONLY && OfnNoChangeDir == OFN_NOCHANGEDIR &&
              OfnPathMustExist == OFN_PATHMUSTEXIST && OfnFileMustExist == OFN_FILEMUSTEXIST);

// A buffer of exactly the declared size, holding what the caller put in it.
std::vector<wchar_t> Buffer(const std::u16string& contents, std::uint32_t chars) {
    std::vector<wchar_t> buffer(chars, L'\0');
    for (std::size_t i = 0; i < contents.size() && i + 1 < buffer.size(); ++i) {
        buffer[i] = static_cast<wchar_t>(contents[i]);
    }
    return buffer;
}

std::u16string Contents(const std::vector<wchar_t>& buffer) {
    return FromWide(std::wstring_view(buffer.data(), buffer.size()));
}

struct Notice {
    std::wstring text;
    std::wstring caption;
};

}  // namespace

Win32Dialogs::~Win32Dialogs() {
    CloseNotice();
}

bool Win32Dialogs::ShowOpenFileDialog(OpenFileRecord& record) noexcept {
    const auto getOpenFileName =
        commonDialogs_.Function<decltype(::GetOpenFileNameW)>("GetOpenFileNameW");
    if (getOpenFileName == nullptr) {
        return false;
    }
    try {
        std::vector<wchar_t> file = Buffer(record.fileBuffer, record.fileBufferChars);
        std::vector<wchar_t> title = Buffer(record.fileTitleBuffer, record.fileTitleBufferChars);
        const std::wstring filter = ToWide(record.filter);
        const std::wstring initialDirectory = ToWide(record.initialDirectory.value_or(u""));
        const std::wstring dialogTitle = ToWide(record.title.value_or(u""));

        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = ToHwnd(record.owner);
        dialog.lpstrFilter = filter.c_str();
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrFileTitle = title.data();
        dialog.nMaxFileTitle = static_cast<DWORD>(title.size());
        dialog.lpstrInitialDir = record.initialDirectory ? initialDirectory.c_str() : nullptr;
        dialog.lpstrTitle = record.title ? dialogTitle.c_str() : nullptr;
        dialog.Flags = record.flags;
        const bool chosen = getOpenFileName(&dialog) != FALSE;
        record.fileBuffer = Contents(file);
        record.fileTitleBuffer = Contents(title);
        return chosen;
    } catch (...) {
        // A noexcept seam: without memory for the buffers there is no dialog, as if cancelled.
        return false;
    }
}

int Win32Dialogs::ShowMessageBox(WindowHandle owner, std::u16string_view text,
                                 std::u16string_view caption, std::uint32_t style) noexcept {
    try {
        const std::wstring wideText = ToWide(text);
        const std::wstring wideCaption = ToWide(caption);
        return ::MessageBoxW(ToHwnd(owner), wideText.c_str(), wideCaption.c_str(), style);
    } catch (...) {
        // A noexcept seam: without memory for the text there is no box, as MessageBoxW's 0 says.
        return 0;
    }
}

DWORD WINAPI Win32Dialogs::NoticeThread(void* parameter) noexcept {
    const std::unique_ptr<Notice> notice(static_cast<Notice*>(parameter));
    // Owned by no window: a message box disables its owner, and the bar must stay usable. Topmost
    // instead, so that it is not lost behind other windows.
    ::MessageBoxW(nullptr, notice->text.c_str(), notice->caption.c_str(),
                  MB_OK | MB_ICONWARNING | MB_TOPMOST);
    return 0;
}

void Win32Dialogs::ShowNotice(std::u16string_view text, std::u16string_view caption) noexcept {
    try {
        CloseNotice();
        auto notice = std::make_unique<Notice>(Notice{ToWide(text), ToWide(caption)});
        DWORD id = 0;
        const HANDLE thread = ::CreateThread(nullptr, 0, &NoticeThread, notice.get(), 0, &id);
        if (thread == nullptr) {
            return;
        }
        static_cast<void>(notice.release());  // the thread owns it now
        notice_.Reset(thread);
        noticeThread_ = id;
    } catch (...) {
        // A noexcept seam: without memory for the text the notice is not shown.
    }
}

void Win32Dialogs::CloseNotice() noexcept {
    if (!notice_) {
        return;
    }
    // The box may not be made yet: ask again until its thread ends, two seconds at most.
    for (int tries = 0; tries < 100 && ::WaitForSingleObject(notice_.Get(), 0) == WAIT_TIMEOUT;
         ++tries) {
        ::EnumThreadWindows(
            noticeThread_,
            [](HWND window, LPARAM) -> BOOL {
                ::PostMessageW(window, WM_CLOSE, 0, 0);
                return TRUE;
            },
            0);
        ::WaitForSingleObject(notice_.Get(), 20);
    }
    notice_.Reset();
}

}  // namespace ombrel::win32
