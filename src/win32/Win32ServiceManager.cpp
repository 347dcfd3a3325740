#include "win32/Win32ServiceManager.h"

#include <windows.h>
#include <winsvc.h>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {

ServiceHandle Win32ServiceManager::OpenManager(std::uint32_t access) noexcept {
    return FromScHandle(::OpenSCManagerW(nullptr, nullptr, access));
}

ServiceHandle Win32ServiceManager::OpenNamedService(ServiceHandle manager, std::u16string_view name,
                                                    std::uint32_t access) noexcept {
    try {
        const std::wstring serviceName = ToWide(name);
        return FromScHandle(::OpenServiceW(ToScHandle(manager), serviceName.c_str(), access));
    } catch (...) {
        ::SetLastError(ERROR_OUTOFMEMORY);
        return ServiceHandle::None;
    }
}

bool Win32ServiceManager::Start(ServiceHandle service) noexcept {
    return ::StartServiceW(ToScHandle(service), 0, nullptr) != FALSE;
}

bool Win32ServiceManager::Control(ServiceHandle service, std::uint32_t control) noexcept {
    SERVICE_STATUS status{};
    return ::ControlService(ToScHandle(service), control, &status) != FALSE;
}

bool Win32ServiceManager::Close(ServiceHandle handle) noexcept {
    return ::CloseServiceHandle(ToScHandle(handle)) != FALSE;
}

std::uint32_t Win32ServiceManager::LastError() noexcept {
    return ::GetLastError();
}

}  // namespace ombrel::win32
