#include "win32/ProcessImage.h"

#include <optional>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

std::wstring ImagePathOf(HANDLE process) {
    // Long paths exist: the buffer grows until the path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0; tries < 3; ++tries) {
        auto length = static_cast<DWORD>(path.size());
        if (::QueryFullProcessImageNameW(process, 0, path.data(), &length) != FALSE) {
            path.resize(length);
            return path;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return {};
        }
        path.resize(path.size() * 4);
    }
    return {};
}

std::wstring ImagePathOf(DWORD processId) {
    const UniqueKernelHandle process(
        processId == 0 ? nullptr
                       : ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process ? ImagePathOf(process.Get()) : std::wstring();
}

std::wstring OwnImagePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> FileInformation(const std::wstring& path) {
    const HANDLE file = path.empty()
                            ? INVALID_HANDLE_VALUE
                            : ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const UniqueKernelHandle owned(file);
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileInformationByHandle(file, &information) == FALSE) {
        return std::nullopt;
    }
    return information;
}

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
    const std::optional<BY_HANDLE_FILE_INFORMATION> one = FileInformation(a);
    const std::optional<BY_HANDLE_FILE_INFORMATION> other = FileInformation(b);
    return one && other && one->dwVolumeSerialNumber == other->dwVolumeSerialNumber &&
           one->nFileIndexHigh == other->nFileIndexHigh &&
           one->nFileIndexLow == other->nFileIndexLow;
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

}  // namespace ombrel::win32
