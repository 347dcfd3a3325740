#pragma once

#include "platform/ServiceManager.h"

namespace ombrel::win32 {

class Win32ServiceManager final : public ServiceManager {
  public:
    ServiceHandle OpenManager(std::uint32_t access) noexcept override;
    ServiceHandle OpenNamedService(ServiceHandle manager, std::u16string_view name,
                                   std::uint32_t access) noexcept override;
    bool Start(ServiceHandle service) noexcept override;
    bool Control(ServiceHandle service, std::uint32_t control) noexcept override;
    bool Close(ServiceHandle handle) noexcept override;
    std::uint32_t LastError() noexcept override;
};

}  // namespace ombrel::win32
