#include "win32/Win32ServiceManager.h"

#include <windows.h>
#include <winsvc.h>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

// The thread's last error, read at once: any later call may overwrite it.
SystemError LastError() {
    return SystemError(::GetLastError());
}

SystemError Succeeded(BOOL done) {
    return done != FALSE ? kSucceeded : LastError();
}

SystemResult<ServiceHandle> Opened(SC_HANDLE handle) {
    if (handle == nullptr) {
        return LastError();
    }
    return FromScHandle(handle);
}

}  // namespace

SystemResult<ServiceHandle> Win32ServiceManager::OpenManager(std::uint32_t access) noexcept {
    return Opened(::OpenSCManagerW(nullptr, nullptr, access));
}

SystemResult<ServiceHandle> Win32ServiceManager::OpenNamedService(ServiceHandle manager,
                                                                  std::u16string_view name,
                                                                  std::uint32_t access) noexcept {
    try {
        const std::wstring serviceName = ToWide(name);
        return Opened(::OpenServiceW(ToScHandle(manager), serviceName.c_str(), access));
    } catch (...) {
        // A noexcept seam: no memory for the wide name is an error like any other.
        return SystemError(ERROR_OUTOFMEMORY);
    }
}

SystemError Win32ServiceManager::Start(ServiceHandle service) noexcept {
    return Succeeded(::StartServiceW(ToScHandle(service), 0, nullptr));
}

SystemError Win32ServiceManager::Control(ServiceHandle service, std::uint32_t control) noexcept {
    SERVICE_STATUS status{};
    return Succeeded(::ControlService(ToScHandle(service), control, &status));
}

SystemError Win32ServiceManager::Close(ServiceHandle handle) noexcept {
    return Succeeded(::CloseServiceHandle(ToScHandle(handle)));
}

}  // namespace ombrel::win32
