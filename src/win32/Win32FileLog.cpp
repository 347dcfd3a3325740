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

Win32FileLog::Win32FileLog() : directory_(OmbrelFolder(L"LOCALAPPDATA")) {}

Win32FileLog::~Win32FileLog() {
    // A writer that runs stops by itself once the queue is empty.
    if (writer_.joinable()) {
        writer_.join();
    }
}

void Win32FileLog::Write(std::u16string_view line) noexcept {
    try {
        std::wstring stamped = Timestamp() + ToWide(line) + L"\r\n";
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(stamped));
        WakeWriter();
    } catch (...) {
        // Without memory for a line, or a thread to write it, there is nothing to be done
        // about it; the next line tries again.
    }
}

void Win32FileLog::WakeWriter() {
    if (writing_) {
        return;  // it takes what is queued before it stops
    }
    if (writer_.joinable()) {
        writer_.join();  // done already: it cleared writing_ as its last step
    }
    writer_ = std::thread([this] { WriteQueuedLines(); });
    writing_ = true;
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
    while (!queue_.empty()) {
        std::deque<std::wstring> lines;
        lines.swap(queue_);
        lock.unlock();
        try {
            Store(lines);
        } catch (...) {
            // A line that cannot be stored is dropped; the program goes on.
        }
        lock.lock();
    }
    writing_ = false;
    changed_.notify_all();
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
