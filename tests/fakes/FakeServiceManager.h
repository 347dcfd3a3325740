#pragma once

#include <map>
#include <string>
#include <vector>

#include "FailurePlan.h"
#include "platform/ServiceManager.h"

namespace ombrel::fakes {

// A service control manager holding services by name, each running or stopped.
class FakeServiceManager final : public ServiceManager {
  public:
    static constexpr std::uint32_t kErrorAccessDenied = 5;

    void Install(std::u16string name, bool running = false) {
        services_[std::move(name)] = running;
    }
    bool IsRunning(const std::u16string& name) const;
    // The user may connect but not start or stop this service.
    void DenyControl(std::u16string name) { denied_[std::move(name)] = true; }
    // The user may not even connect to the manager.
    void DenyManager() { managerDenied_ = true; }
    std::size_t OpenHandles() const { return handles_.size(); }
    // Every handle closed, in the order it happened.
    const std::vector<ServiceHandle>& ClosedHandles() const { return closed_; }
    FailurePlan& Failures() { return failures_; }

    SystemResult<ServiceHandle> OpenManager(std::uint32_t access) noexcept override;
    SystemResult<ServiceHandle> OpenNamedService(ServiceHandle manager, std::u16string_view name,
                                                 std::uint32_t access) noexcept override;
    SystemError Start(ServiceHandle service) noexcept override;
    SystemError Control(ServiceHandle service, std::uint32_t control) noexcept override;
    SystemError Close(ServiceHandle handle) noexcept override;

  private:
    struct Opened {
        std::u16string service;  // empty: the manager
        std::uint32_t access;
    };
    // The error the plan has for this call; none when it goes through.
    SystemError Planned(std::string_view call);
    ServiceHandle NewHandle(Opened opened);

    std::map<std::u16string, bool, std::less<>> services_;
    std::map<std::u16string, bool, std::less<>> denied_;
    bool managerDenied_ = false;
    std::map<ServiceHandle, Opened> handles_;
    std::vector<ServiceHandle> closed_;
    std::uintptr_t nextHandle_ = 0x5000;
    FailurePlan failures_;
};

}  // namespace ombrel::fakes
