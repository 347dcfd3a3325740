#pragma once

#include "platform/ServiceManager.h"

namespace ombrel::win32 {

class Win32ServiceManager final : public ServiceManager {
  public:
    SystemResult<ServiceHandle> OpenManager(std::uint32_t access) noexcept override;
    SystemResult<ServiceHandle> OpenNamedService(ServiceHandle manager, std::u16string_view name,
                                                 std::uint32_t access) noexcept override;
    SystemError Start(ServiceHandle service) noexcept override;
    SystemError Control(ServiceHandle service, std::uint32_t control) noexcept override;
    SystemError Close(ServiceHandle handle) noexcept override;
};

}  // namespace ombrel::win32
