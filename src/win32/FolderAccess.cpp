#include "win32/FolderAccess.h"

#include <windows.h>

#include <aclapi.h>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {
namespace {

// Who may write where every user's log-on runs programs from: the administrators, the system,
// and the installer service that owns the system's own folders.
bool IsTrusted(PSID sid) noexcept {
    for (const WELL_KNOWN_SID_TYPE trusted :
         {WinBuiltinAdministratorsSid, WinLocalSystemSid, WinCreatorOwnerSid}) {
        if (::IsWellKnownSid(sid, trusted) != FALSE) {
            return true;
        }
    }
    // NT SERVICE\TrustedInstaller: S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID installer = nullptr;
    if (::AllocateAndInitializeSid(&nt, 6, 80, 956008885, 3418522649, 1831038044, 1853292631,
                                   2271478464, 0, 0, &installer) == FALSE) {
        return false;
    }
    const bool same = ::EqualSid(sid, installer) != FALSE;
    ::FreeSid(installer);
    return same;
}

}  // namespace

bool WritableByOthersThanAdministrators(const std::wstring& folder) noexcept {
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &acl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return true;
    }
    const UniqueLocalMemory owned(descriptor);
    if (acl == nullptr) {
        return true;  // no list: everybody may do everything
    }
    constexpr ACCESS_MASK kWrites = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_WRITE_DATA |
                                    FILE_APPEND_DATA | DELETE | WRITE_DAC | WRITE_OWNER |
                                    GENERIC_WRITE | GENERIC_ALL;
    for (DWORD index = 0; index < acl->AceCount; ++index) {
        void* entry = nullptr;
        if (::GetAce(acl, index, &entry) == FALSE) {
            return true;
        }
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE ||
            (header->AceFlags & INHERIT_ONLY_ACE) != 0) {
            continue;
        }
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        auto* sid = reinterpret_cast<PSID>(const_cast<DWORD*>(&allowed->SidStart));
        if ((allowed->Mask & kWrites) != 0 && !IsTrusted(sid)) {
            return true;
        }
    }
    return false;
}

}  // namespace ombrel::win32
