#include "service/ServiceControl.h"

#include <functional>

#include "text/LogFailure.h"

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
            static_cast<void>(services_.Close(handle_));
        }
    }
    ServiceHandle Get() const { return handle_; }

  private:
    ServiceManager& services_;
    ServiceHandle handle_;
};

SystemError Request(ServiceManager& services, std::uint32_t access,
                    const std::function<SystemError(ServiceHandle)>& send) {
    const SystemResult<ServiceHandle> openedManager = services.OpenManager(kScManagerConnect);
    if (!openedManager.Succeeded()) {
        return openedManager.Error();
    }
    const ScopedServiceHandle manager(services, openedManager.Value());
    const SystemResult<ServiceHandle> openedService =
        services.OpenNamedService(manager.Get(), kCompanionServiceName, access);
    if (!openedService.Succeeded()) {
        return openedService.Error();
    }
    // Declared after the manager, so it is closed first.
    const ScopedServiceHandle service(services, openedService.Value());
    return send(service.Get());
}

}  // namespace

SystemError StartCompanionService(ServiceManager& services) {
    return Request(services, kServiceStart,
                   [&services](ServiceHandle service) { return services.Start(service); });
}

SystemError StopCompanionService(ServiceManager& services) {
    return Request(services, kServiceStop, [&services](ServiceHandle service) {
        return services.Control(service, kServiceControlStop);
    });
}

void LogServiceRequest(Log& log, const Texts& texts, TextId request, SystemError error) {
    if (error.Failed()) {
        LogFailure(log, texts, TextId::ServiceRequestFailed, error,
                   {kCompanionServiceName, texts.Text(request)});
    } else {
        log.Write(
            texts.Format(TextId::ServiceRequestSent, {kCompanionServiceName, texts.Text(request)}));
    }
}

}  // namespace ombrel
