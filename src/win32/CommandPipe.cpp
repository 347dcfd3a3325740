#include "win32/CommandPipe.h"

#include <aclapi.h>
#include <sddl.h>

#include <cwctype>
#include <vector>

#include "win32/ProcessImage.h"
#include "win32/WideText.h"

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

PSID UserOf(const std::vector<BYTE>& user) {
    return user.empty() ? nullptr : reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
}

// The log-on's own SID among the token's groups: every process of one log-on has it, elevated
// or not, and a scheduled task or a remote shell of the same user has another.
PSID LogonOf(const std::vector<BYTE>& groups) {
    if (groups.empty()) {
        return nullptr;
    }
    const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
    for (DWORD index = 0; index < list->GroupCount; ++index) {
        if ((list->Groups[index].Attributes & SE_GROUP_LOGON_ID) == SE_GROUP_LOGON_ID) {
            return list->Groups[index].Sid;
        }
    }
    return nullptr;
}

bool SameSid(PSID a, PSID b) {
    return a != nullptr && b != nullptr && ::EqualSid(a, b) != FALSE;
}

std::uint32_t IntegrityOf(HANDLE token) {
    const std::vector<BYTE> label = TokenInformation(token, TokenIntegrityLevel);
    if (label.empty()) {
        return 0;
    }
    const PSID level = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
    const UCHAR count = *::GetSidSubAuthorityCount(level);
    return count == 0 ? 0 : *::GetSidSubAuthority(level, count - 1U);
}

bool ElevatedToken(HANDLE token) {
    const std::vector<BYTE> elevation = TokenInformation(token, TokenElevation);
    return !elevation.empty() &&
           reinterpret_cast<const TOKEN_ELEVATION*>(elevation.data())->TokenIsElevated != 0;
}

// What a token says of its process, beside this process's own token.
ChannelPeer PeerOf(HANDLE token) {
    const UniqueKernelHandle own = ProcessToken(::GetCurrentProcess());
    if (!own) {
        return {};
    }
    ChannelPeer peer;
    peer.sameUser = SameSid(UserOf(TokenInformation(token, TokenUser)),
                            UserOf(TokenInformation(own.Get(), TokenUser)));
    peer.sameLogon = SameSid(LogonOf(TokenInformation(token, TokenGroups)),
                             LogonOf(TokenInformation(own.Get(), TokenGroups)));
    peer.integrity = IntegrityOf(token);
    peer.elevated = ElevatedToken(token);
    return peer;
}

DWORD OwnSession() {
    DWORD session = 0;
    return ::ProcessIdToSessionId(::GetCurrentProcessId(), &session) != FALSE ? session : ~0UL;
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
    return L"\\\\.\\pipe\\Ombrel." + UserSidText() + L"." + DecimalWide(session);
}

CommandPipeSecurity::CommandPipeSecurity(bool elevated) {
    const std::wstring user = UserSidText();
    if (user.empty()) {
        return;
    }
    // Reading and writing refused below the label's level. Owner rights given as an entry of
    // their own: the owner's implied right to change the access goes with the seal.
    const std::wstring label = elevated ? L"S:(ML;;NWNR;;;HI)" : L"S:(ML;;NWNR;;;ME)";
    const std::wstring callers = L"(A;;0x12019b;;;" + user + L")(A;;0x12019b;;;OW)";
    const auto make = [](const std::wstring& sddl, UniqueLocalMemory& into) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                                   &descriptor, nullptr) != FALSE) {
            into.Reset(descriptor);
        }
    };
    make(L"D:P(A;;GA;;;" + user + L")" + label, making_);
    make(L"D:P" + callers, sealed_);
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = making_.Get();
    attributes_.bInheritHandle = FALSE;
}

bool CommandPipeSecurity::Seal(HANDLE pipe) const {
    // The descriptor is the pipe's, shared by all its instances: one call seals them all.
    return sealed_ &&
           ::SetKernelObjectSecurity(pipe, DACL_SECURITY_INFORMATION, sealed_.Get()) != FALSE;
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

std::uint32_t OwnIntegrity() {
    const UniqueKernelHandle token = ProcessToken(::GetCurrentProcess());
    return token ? IntegrityOf(token.Get()) : 0;
}

bool RunsElevated() {
    const UniqueKernelHandle token = ProcessToken(::GetCurrentProcess());
    return token && ElevatedToken(token.Get());
}

ChannelPeer CallerOf(HANDLE pipe) {
    ULONG session = ~0UL;
    if (::GetNamedPipeClientSessionId(pipe, &session) == FALSE) {
        return {};
    }
    // The caller's token, opened as ourselves; the thread is itself again at once.
    if (::ImpersonateNamedPipeClient(pipe) == FALSE) {
        return {};
    }
    HANDLE token = nullptr;
    const BOOL opened = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token);
    ::RevertToSelf();
    if (opened == FALSE) {
        return {};
    }
    const UniqueKernelHandle owned(token);
    ChannelPeer caller = PeerOf(token);
    caller.sameSession = session == OwnSession();
    return caller;
}

ChannelPeer ServerOf(HANDLE pipe, const std::wstring& programFile) {
    ULONG serverId = 0;
    ULONG session = ~0UL;
    if (::GetNamedPipeServerProcessId(pipe, &serverId) == FALSE || serverId == 0 ||
        ::GetNamedPipeServerSessionId(pipe, &session) == FALSE) {
        return {};
    }
    const UniqueKernelHandle server(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId));
    const UniqueKernelHandle token = server ? ProcessToken(server.Get()) : UniqueKernelHandle();
    if (!token) {
        return {};
    }
    ChannelPeer peer = PeerOf(token.Get());
    // Pipe names are seen by every session: a server of another one is nobody we know.
    peer.sameSession = session == OwnSession();
    peer.sameProgramFile = SameFile(ImagePathOf(server.Get()), programFile);
    return peer;
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
