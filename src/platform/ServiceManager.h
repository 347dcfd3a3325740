#pragma once

#include <cstdint>
#include <string_view>

#include "platform/SystemError.h"

namespace ombrel {

enum class ServiceHandle : std::uintptr_t { None = 0 };

inline constexpr std::uint32_t kScManagerConnect = 0x0001;
inline constexpr std::uint32_t kServiceStart = 0x0010;
inline constexpr std::uint32_t kServiceStop = 0x0020;
inline constexpr std::uint32_t kServiceControlStop = 1;

inline constexpr std::uint32_t kErrorServiceAlreadyRunning = 1056;
inline constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;
inline constexpr std::uint32_t kErrorServiceNotActive = 1062;

// The service control manager of the local machine.
class ServiceManager {
  public:
    ServiceManager() = default;
    ServiceManager(const ServiceManager&) = delete;
    ServiceManager& operator=(const ServiceManager&) = delete;
    virtual ~ServiceManager() = default;

    // Each call returns the Win32 error of its own failure; an opened handle the handle.
    virtual SystemResult<ServiceHandle> OpenManager(std::uint32_t access) noexcept = 0;
    virtual SystemResult<ServiceHandle> OpenNamedService(ServiceHandle manager,
                                                         std::u16string_view name,
                                                         std::uint32_t access) noexcept = 0;
    virtual SystemError Start(ServiceHandle service) noexcept = 0;
    // Asks the service to stop; the status it reports back is not kept.
    virtual SystemError Control(ServiceHandle service, std::uint32_t control) noexcept = 0;
    virtual SystemError Close(ServiceHandle handle) noexcept = 0;
};

}  // namespace ombrel
