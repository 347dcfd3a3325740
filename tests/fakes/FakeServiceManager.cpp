#include "FakeServiceManager.h"

namespace ombrel::fakes {
namespace {
constexpr std::uint32_t kErrorInvalidHandle = 6;
}

bool FakeServiceManager::IsRunning(const std::u16string& name) const {
    const auto found = services_.find(name);
    return found != services_.end() && found->second;
}

bool FakeServiceManager::Fails(std::string_view call) {
    if (const auto error = failures_.Take(call)) {
        lastError_ = *error;
        return true;
    }
    return false;
}

ServiceHandle FakeServiceManager::NewHandle(Opened opened) {
    const auto handle = static_cast<ServiceHandle>(nextHandle_);
    nextHandle_ += 8;
    handles_[handle] = std::move(opened);
    return handle;
}

ServiceHandle FakeServiceManager::OpenManager(std::uint32_t access) noexcept {
    if (Fails("OpenManager")) {
        return ServiceHandle::None;
    }
    if (managerDenied_) {
        lastError_ = kErrorAccessDenied;
        return ServiceHandle::None;
    }
    return NewHandle({u"", access});
}

ServiceHandle FakeServiceManager::OpenNamedService(ServiceHandle manager, std::u16string_view name,
                                                   std::uint32_t access) noexcept {
    if (Fails("OpenNamedService")) {
        return ServiceHandle::None;
    }
    const auto opened = handles_.find(manager);
    if (opened == handles_.end() || !opened->second.service.empty()) {
        lastError_ = kErrorInvalidHandle;
        return ServiceHandle::None;
    }
    if (!services_.contains(name)) {
        lastError_ = kErrorServiceDoesNotExist;
        return ServiceHandle::None;
    }
    if (denied_.contains(name)) {
        lastError_ = kErrorAccessDenied;
        return ServiceHandle::None;
    }
    return NewHandle({std::u16string(name), access});
}

bool FakeServiceManager::Start(ServiceHandle service) noexcept {
    if (Fails("Start")) {
        return false;
    }
    const auto opened = handles_.find(service);
    if (opened == handles_.end() || opened->second.service.empty()) {
        lastError_ = kErrorInvalidHandle;
        return false;
    }
    if ((opened->second.access & kServiceStart) == 0) {
        lastError_ = kErrorAccessDenied;
        return false;
    }
    bool& running = services_[opened->second.service];
    if (running) {
        lastError_ = kErrorServiceAlreadyRunning;
        return false;
    }
    running = true;
    return true;
}

bool FakeServiceManager::Control(ServiceHandle service, std::uint32_t control) noexcept {
    if (Fails("Control")) {
        return false;
    }
    const auto opened = handles_.find(service);
    if (opened == handles_.end() || opened->second.service.empty()) {
        lastError_ = kErrorInvalidHandle;
        return false;
    }
    if (control != kServiceControlStop || (opened->second.access & kServiceStop) == 0) {
        lastError_ = kErrorAccessDenied;
        return false;
    }
    bool& running = services_[opened->second.service];
    if (!running) {
        lastError_ = kErrorServiceNotActive;
        return false;
    }
    running = false;
    return true;
}

bool FakeServiceManager::Close(ServiceHandle handle) noexcept {
    if (handles_.erase(handle) == 0) {
        lastError_ = kErrorInvalidHandle;
        return false;
    }
    closed_.push_back(handle);
    // Clears the last error, so a caller that reads it only after closing is caught.
    lastError_ = 0;
    return true;
}

}  // namespace ombrel::fakes
