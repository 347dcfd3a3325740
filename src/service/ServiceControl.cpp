#include "service/ServiceControl.h"

#include <functional>

namespace ombrel {
namespace {

// Closes a service-manager handle when the request is done, on every path.
class ScopedServiceHandle {
  public:
    ScopedServiceHandle(ServiceManager& services, ServiceHandle handle)
        : services_(services), handle_(handle) {}
    ScopedServiceHandle(const ScopedServiceHandle&) = delete;
    ScopedServiceHandle& operator=(const ScopedServiceHandle&) = delete;
    ~ScopedServiceHandle() {
        if (handle_ != ServiceHandle::None) {
            services_.Close(handle_);
        }
    }
    ServiceHandle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != ServiceHandle::None; }

  private:
    ServiceManager& services_;
    ServiceHandle handle_;
};

std::int32_t Request(ServiceManager& services, std::uint32_t access,
                     const std::function<bool(ServiceHandle)>& send) {
    const ScopedServiceHandle manager(services, services.OpenManager(kScManagerConnect));
    if (!manager) {
        return static_cast<std::int32_t>(services.LastError());
    }
    // Declared after the manager, so it is closed first.
    const ScopedServiceHandle service(
        services, services.OpenNamedService(manager.Get(), kCompanionServiceName, access));
    if (!service) {
        return static_cast<std::int32_t>(services.LastError());
    }
    if (!send(service.Get())) {
        return static_cast<std::int32_t>(services.LastError());
    }
    return 0;
}

}  // namespace

std::int32_t StartCompanionService(ServiceManager& services) {
    return Request(services, kServiceStart,
                   [&services](ServiceHandle service) { return services.Start(service); });
}

std::int32_t StopCompanionService(ServiceManager& services) {
    return Request(services, kServiceStop, [&services](ServiceHandle service) {
        return services.Control(service, kServiceControlStop);
    });
}

}  // namespace ombrel
