#include "FakeServiceManager.h"

namespace ombrel::fakes {
namespace {
constexpr SystemError kInvalidHandle(6);
constexpr SystemError kAccessDenied(FakeServiceManager::kErrorAccessDenied);
}  // namespace

bool FakeServiceManager::IsRunning(const std::u16string& name) const {
    const auto found = services_.find(name);
    return found != services_.end() && found->second;
}

SystemError FakeServiceManager::Planned(std::string_view call) {
    const auto error = failures_.Take(call);
    return error ? SystemError(*error) : kSucceeded;
}

ServiceHandle FakeServiceManager::NewHandle(Opened opened) {
    const auto handle = static_cast<ServiceHandle>(nextHandle_);
    nextHandle_ += 8;
    handles_[handle] = std::move(opened);
    return handle;
}

SystemResult<ServiceHandle> FakeServiceManager::OpenManager(std::uint32_t access) noexcept {
    if (const SystemError planned = Planned("OpenManager"); planned.Failed()) {
        return planned;
    }
    if (managerDenied_) {
        return kAccessDenied;
    }
    return NewHandle({u"", access});
}

SystemResult<ServiceHandle> FakeServiceManager::OpenNamedService(ServiceHandle manager,
                                                                 std::u16string_view name,
                                                                 std::uint32_t access) noexcept {
    if (const SystemError planned = Planned("OpenNamedService"); planned.Failed()) {
        return planned;
    }
    const auto opened = handles_.find(manager);
    if (opened == handles_.end() || !opened->second.service.empty()) {
        return kInvalidHandle;
    }
    if (!services_.contains(name)) {
        return SystemError(kErrorServiceDoesNotExist);
    }
    if (denied_.contains(name)) {
        return kAccessDenied;
    }
    return NewHandle({std::u16string(name), access});
}

SystemError FakeServiceManager::Start(ServiceHandle service) noexcept {
    if (const SystemError planned = Planned("Start"); planned.Failed()) {
        return planned;
    }
    const auto opened = handles_.find(service);
    if (opened == handles_.end() || opened->second.service.empty()) {
        return kInvalidHandle;
    }
    if ((opened->second.access & kServiceStart) == 0) {
        return kAccessDenied;
    }
    bool& running = services_[opened->second.service];
    if (running) {
        return SystemError(kErrorServiceAlreadyRunning);
    }
    running = true;
    return kSucceeded;
}

SystemError FakeServiceManager::Control(ServiceHandle service, std::uint32_t control) noexcept {
    if (const SystemError planned = Planned("Control"); planned.Failed()) {
        return planned;
    }
    const auto opened = handles_.find(service);
    if (opened == handles_.end() || opened->second.service.empty()) {
        return kInvalidHandle;
    }
    if (control != kServiceControlStop || (opened->second.access & kServiceStop) == 0) {
        return kAccessDenied;
    }
    bool& running = services_[opened->second.service];
    if (!running) {
        return SystemError(kErrorServiceNotActive);
    }
    running = false;
    return kSucceeded;
}

SystemError FakeServiceManager::Close(ServiceHandle handle) noexcept {
    if (handles_.erase(handle) == 0) {
        return kInvalidHandle;
    }
    closed_.push_back(handle);
    return kSucceeded;
}

}  // namespace ombrel::fakes
