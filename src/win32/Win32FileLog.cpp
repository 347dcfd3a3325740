#include "win32/Win32FileLog.h"

#include <windows.h>

#include <chrono>

#include "win32/UniqueHandle.h"
#include "win32/WideText.h"
#include "win32/Win32UserFiles.h"

namespace ombrel::win32 {
namespace {

// "2026-12-07 17:40:01.123 " in local time, as the user's clock shows it.
std::wstring Timestamp() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return DecimalWide(now.wYear, 4) + L'-' + DecimalWide(now.wMonth, 2) + L'-' +
           DecimalWide(now.wDay, 2) + L' ' + DecimalWide(now.wHour, 2) + L':' +
           DecimalWide(now.wMinute, 2) + L':' + DecimalWide(now.wSecond, 2) + L'.' +
           DecimalWide(now.wMilliseconds, 3) + L' ';
}

UniqueKernelHandle OpenForAppending(const std::wstring& path) {
    // Shared for every use: another session's instance may append or turn the file over too.
    HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

unsigned long long SizeOf(HANDLE file) {
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(file, &size) != FALSE ? static_cast<unsigned long long>(size.QuadPart)
                                                 : 0;
}

}  // namespace

Win32FileLog::Win32FileLog() : directory_(OmbrelFolder(L"LOCALAPPDATA")) {
    writer_ = std::thread([this] { WriteQueuedLines(); });
}

Win32FileLog::~Win32FileLog() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

void Win32FileLog::Write(std::u16string_view line) noexcept {
    try {
        std::wstring stamped = Timestamp() + ToWide(line) + L"\r\n";
        {
            const std::lock_guard lock(mutex_);
            queue_.push_back(std::move(stamped));
        }
        changed_.notify_all();  // the writer, and not only a Flush that may be waiting
    } catch (...) {
        // Without memory for a line there is nothing to be done about it.
    }
}

void Win32FileLog::Flush() noexcept {
    try {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(1),
                          [this] { return queue_.empty() && !writing_; });
    } catch (...) {
    }
}

void Win32FileLog::WriteQueuedLines() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            return;  // stopping, with everything written
        }
        std::deque<std::wstring> lines;
        lines.swap(queue_);
        writing_ = true;
        lock.unlock();
        try {
            Store(lines);
        } catch (...) {
            // A line that cannot be stored is dropped; the program goes on.
        }
        lock.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

void Win32FileLog::Store(const std::deque<std::wstring>& lines) {
    for (const std::wstring& line : lines) {
        ::OutputDebugStringW(line.c_str());
    }
    if (directory_.empty()) {
        return;
    }
    ::CreateDirectoryW(directory_.c_str(), nullptr);
    const std::wstring path = directory_ + L"\\Ombrel.log";
    UniqueKernelHandle file = OpenForAppending(path);
    for (const std::wstring& line : lines) {
        const std::string bytes = ToUtf8(line);
        if (file && SizeOf(file.Get()) + bytes.size() > kMaxFileBytes) {
            file.Reset();
            ::MoveFileExW(path.c_str(), (directory_ + L"\\Ombrel.old.log").c_str(),
                          MOVEFILE_REPLACE_EXISTING);
            file = OpenForAppending(path);
        }
        if (!file) {
            return;
        }
        DWORD written = 0;
        ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

}  // namespace ombrel::win32
