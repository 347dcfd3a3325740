// The end-to-end suite: installs the companion service in the prefix once, as `sc create`
// would, and removes it afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "Session.h"

namespace {

class CompanionServiceInstalled : public ::testing::Environment {
  public:
    void SetUp() override {
        manager_ = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        const std::wstring path = ombrel::e2e::WinePath(OMBREL_COMPANION_SERVICE_PATH);
        service_ =
            ::CreateServiceW(manager_, L"SampleQx3Service", L"SampleQx3Service", SERVICE_ALL_ACCESS,
                             SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                             path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
        if (service_ == nullptr) {
            service_ = ::OpenServiceW(manager_, L"SampleQx3Service", SERVICE_ALL_ACCESS);
        }
    }
    void TearDown() override {
        SERVICE_STATUS status{};
        ::ControlService(service_, SERVICE_CONTROL_STOP, &status);
        ::DeleteService(service_);
        ::CloseServiceHandle(service_);
        ::CloseServiceHandle(manager_);
    }

  private:
    SC_HANDLE manager_ = nullptr;
    SC_HANDLE service_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    // Unbuffered: a suite that dies still leaves every line it wrote.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new CompanionServiceInstalled);  // owned by GoogleTest
    return RUN_ALL_TESTS();
}
