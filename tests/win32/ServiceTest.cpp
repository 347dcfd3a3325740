#include <windows.h>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "service/ServiceControl.h"
#include "win32/Win32ServiceManager.h"

namespace ombrel::win32 {
namespace {

using testing::WaitFor;

DWORD State(SC_HANDLE service) {
    SERVICE_STATUS status{};
    ::QueryServiceStatus(service, &status);
    return status.dwCurrentState;
}

// The companion service installed in the test's prefix, as `sc create` would.
class RealCompanionService : public ::testing::Test {
  protected:
    void SetUp() override {
        manager_ = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        ASSERT_NE(manager_, nullptr);
        const std::wstring path = testing::WinePath(OMBREL_COMPANION_SERVICE_PATH);
        service_ =
            ::CreateServiceW(manager_, L"SampleQx3Service", L"SampleQx3Service", SERVICE_ALL_ACCESS,
                             SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                             path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
        if (service_ == nullptr && ::GetLastError() == ERROR_SERVICE_EXISTS) {
            service_ = ::OpenServiceW(manager_, L"SampleQx3Service", SERVICE_ALL_ACCESS);
        }
        ASSERT_NE(service_, nullptr);
    }
    void TearDown() override {
        if (service_ == nullptr) {
            ::CloseServiceHandle(manager_);
            return;
        }
        SERVICE_STATUS status{};
        ::ControlService(service_, SERVICE_CONTROL_STOP, &status);
        WaitFor([this] { return State(service_) == SERVICE_STOPPED; });
        ::DeleteService(service_);
        ::CloseServiceHandle(service_);
        ::CloseServiceHandle(manager_);
    }

    Win32ServiceManager services;
    SC_HANDLE manager_ = nullptr;
    SC_HANDLE service_ = nullptr;
};

TEST_F(RealCompanionService, StartStopAndTheirRepeatsGiveTheSystemsCodes) {
    EXPECT_EQ(StartCompanionService(services), kSucceeded);
    ASSERT_TRUE(WaitFor([this] { return State(service_) == SERVICE_RUNNING; }));
    EXPECT_EQ(StartCompanionService(services), SystemError(ERROR_SERVICE_ALREADY_RUNNING));

    EXPECT_EQ(StopCompanionService(services), kSucceeded);
    ASSERT_TRUE(WaitFor([this] { return State(service_) == SERVICE_STOPPED; }));
    EXPECT_EQ(StopCompanionService(services), SystemError(ERROR_SERVICE_NOT_ACTIVE));
}

TEST_F(RealCompanionService, NoSuchServiceGives1060) {
    ::DeleteService(service_);
    ::CloseServiceHandle(service_);
    service_ = nullptr;
    EXPECT_EQ(StartCompanionService(services), SystemError(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(StopCompanionService(services), SystemError(ERROR_SERVICE_DOES_NOT_EXIST));
}

}  // namespace
}  // namespace ombrel::win32
