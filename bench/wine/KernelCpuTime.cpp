#include "KernelCpuTime.h"

#include <windows.h>

#include <cwctype>
#include <sstream>
#include <string>

namespace ombrel::bench {
namespace {

const std::wstring kProc = L"Z:\\proc\\";

std::string ReadSmallFile(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string contents;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        contents.append(buffer, read);
    }
    ::CloseHandle(file);
    return contents;
}

template <typename Visit>
void ForEachNumberedEntry(const std::wstring& directory, Visit visit) {
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW((directory + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (std::iswdigit(entry.cFileName[0]) != 0) {
            visit(std::wstring(entry.cFileName));
        }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
}

bool EndsWithFileName(const std::string& path, const std::wstring& fileName) {
    if (path.size() < fileName.size() + 1) {
        return false;
    }
    const std::size_t start = path.size() - fileName.size();
    if (path[start - 1] != '\\' && path[start - 1] != '/') {
        return false;
    }
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(path[start + i])) !=
            std::towlower(static_cast<wint_t>(fileName[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<int> LinuxProcessOf(const std::wstring& programFileName,
                                  const std::string& argument) {
    std::optional<int> found;
    ForEachNumberedEntry(kProc, [&](const std::wstring& id) {
        const std::string commandLine = ReadSmallFile(kProc + id + L"\\cmdline");
        const std::string program = commandLine.substr(0, commandLine.find('\0'));
        const bool hasArgument =
            argument.empty() ||
            commandLine.find(std::string(1, '\0') + argument + '\0') != std::string::npos;
        if (!found && hasArgument && EndsWithFileName(program, programFileName)) {
            found = std::stoi(id);
        }
    });
    return found;
}

std::optional<double> LinuxCpuMilliseconds(int processId) {
    // stat, fields 14 and 15: user and system time in clock ticks, with the time of threads
    // that have ended (a sum over the live threads' schedstat loses it, and can go backwards).
    const std::string stat = ReadSmallFile(kProc + std::to_wstring(processId) + L"\\stat");
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    double ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::stod(field);
        }
    }
    // Linux counts in hundredths of a second on every architecture Wine runs on.
    constexpr double kMillisecondsPerTick = 10;
    return fields ? std::optional<double>(ticks * kMillisecondsPerTick) : std::nullopt;
}

}  // namespace ombrel::bench
