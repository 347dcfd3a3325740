#include "win32/CommandPipe.h"

#include <aclapi.h>
#include <sddl.h>

#include <cwctype>
#include <vector>

#include "win32/ProcessImage.h"

namespace ombrel::win32 {
namespace {

// The token's information of that class, or nothing.
std::vector<BYTE> TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    ::GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> data(size);
    if (size == 0 || ::GetTokenInformation(token, kind, data.data(), size, &size) == FALSE) {
        return {};
    }
    return data;
}

UniqueKernelHandle ProcessToken(HANDLE process) {
    HANDLE token = nullptr;
    if (::OpenProcessToken(process, TOKEN_QUERY, &token) == FALSE) {
        return {};
    }
    return UniqueKernelHandle(token);
}

std::vector<BYTE> OwnUser() {
    const UniqueKernelHandle token = ProcessToken(::GetCurrentProcess());
    return token ? TokenInformation(token.Get(), TokenUser) : std::vector<BYTE>{};
}

std::wstring UserSidText() {
    const std::vector<BYTE> user = OwnUser();
    if (user.empty()) {
        return {};
    }
    wchar_t* text = nullptr;
    if (::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid,
                                 &text) == FALSE) {
        return {};
    }
    const UniqueLocalMemory owned(text);
    return text;
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

Transfer Finish(HANDLE pipe, BOOL started, OVERLAPPED& pending, DWORD& moved, DWORD timeoutMs,
                HANDLE stop) {
    if (started == FALSE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_MORE_DATA) {
            ::GetOverlappedResult(pipe, &pending, &moved, FALSE);
            return Transfer::MoreData;
        }
        if (error != ERROR_IO_PENDING) {
            return Transfer::Failed;
        }
        const HANDLE events[2] = {pending.hEvent, stop};
        const DWORD woke =
            ::WaitForMultipleObjects(stop != nullptr ? 2 : 1, events, FALSE, timeoutMs);
        if (woke != WAIT_OBJECT_0) {
            ::CancelIoEx(pipe, &pending);
            ::GetOverlappedResult(pipe, &pending, &moved, TRUE);
            return Transfer::Failed;
        }
    }
    if (::GetOverlappedResult(pipe, &pending, &moved, FALSE) == FALSE) {
        return ::GetLastError() == ERROR_MORE_DATA ? Transfer::MoreData : Transfer::Failed;
    }
    return Transfer::Done;
}

}  // namespace

std::wstring CommandPipeName() {
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    return L"\\\\.\\pipe\\Ombrel." + UserSidText() + L"." + std::to_wstring(session);
}

CommandPipeSecurity::CommandPipeSecurity() {
    const std::wstring user = UserSidText();
    if (user.empty()) {
        return;
    }
    // The user alone, nobody inherited; writing and reading refused below medium integrity.
    const std::wstring sddl = L"D:P(A;;GA;;;" + user + L")S:(ML;;NWNR;;;ME)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                               &descriptor, nullptr) == FALSE) {
        return;
    }
    descriptor_.Reset(descriptor);
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = descriptor;
    attributes_.bInheritHandle = FALSE;
}

std::wstring CommandPipeSecurity::Describe(HANDLE pipe) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(pipe, SE_KERNEL_OBJECT,
                          DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION, nullptr, nullptr,
                          nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return {};
    }
    const UniqueLocalMemory owned(descriptor);
    wchar_t* text = nullptr;
    if (::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION,
            &text, nullptr) == FALSE) {
        return {};
    }
    const UniqueLocalMemory ownedText(text);
    return text;
}

bool ServedByOmbrel(HANDLE pipe) {
    ULONG serverId = 0;
    if (::GetNamedPipeServerProcessId(pipe, &serverId) == FALSE || serverId == 0) {
        return false;
    }
    // Pipe names are seen by every session: a server of another one is nobody we know.
    ULONG serverSession = 0;
    DWORD ownSession = 0;
    if (::GetNamedPipeServerSessionId(pipe, &serverSession) == FALSE ||
        ::ProcessIdToSessionId(::GetCurrentProcessId(), &ownSession) == FALSE ||
        serverSession != ownSession) {
        return false;
    }
    const UniqueKernelHandle server(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId));
    if (!server) {
        return false;
    }
    const std::wstring ownPath = OwnImagePath();
    const std::wstring serverPath = ImagePathOf(server.Get());
    const UniqueKernelHandle token = ProcessToken(server.Get());
    if (!token) {
        // A process we may not look into runs with more rights than ours: an elevated Ombrel
        // is this very program file, which another user could not have put there.
        return !serverPath.empty() && SameText(serverPath, ownPath);
    }
    if (!SameText(FileNameOf(serverPath), FileNameOf(ownPath))) {
        return false;
    }
    const std::vector<BYTE> user = TokenInformation(token.Get(), TokenUser);
    const std::vector<BYTE> ownUser = OwnUser();
    if (user.empty() || ownUser.empty() ||
        ::EqualSid(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid,
                   reinterpret_cast<const TOKEN_USER*>(ownUser.data())->User.Sid) == FALSE) {
        return false;
    }
    const std::vector<BYTE> label = TokenInformation(token.Get(), TokenIntegrityLevel);
    if (label.empty()) {
        return false;
    }
    const PSID level = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
    const UCHAR count = *::GetSidSubAuthorityCount(level);
    return count > 0 && *::GetSidSubAuthority(level, count - 1U) >= SECURITY_MANDATORY_MEDIUM_RID;
}

Transfer Read(HANDLE pipe, void* buffer, DWORD size, DWORD& moved, DWORD timeoutMs, HANDLE stop) {
    const UniqueKernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED pending{};
    pending.hEvent = event.Get();
    moved = 0;
    return Finish(pipe, ::ReadFile(pipe, buffer, size, nullptr, &pending), pending, moved,
                  timeoutMs, stop);
}

Transfer Write(HANDLE pipe, std::string_view bytes, DWORD timeoutMs, HANDLE stop) {
    const UniqueKernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED pending{};
    pending.hEvent = event.Get();
    DWORD moved = 0;
    const Transfer result = Finish(
        pipe, ::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &pending),
        pending, moved, timeoutMs, stop);
    return result == Transfer::Done && moved != bytes.size() ? Transfer::Failed : result;
}

}  // namespace ombrel::win32
