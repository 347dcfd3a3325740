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

// A crash of the suite itself ends it at once with a line that says so, instead of waiting on
// Wine's debugger until the test's time runs out.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception) {
    std::printf("the suite crashed: exception 0x%08lx at %p\n",
                exception->ExceptionRecord->ExceptionCode,
                exception->ExceptionRecord->ExceptionAddress);
    ::ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    // Unbuffered: a suite that dies still leaves every line it wrote.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::SetUnhandledExceptionFilter(&EndOnCrash);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new CompanionServiceInstalled);  // owned by GoogleTest
    return RUN_ALL_TESTS();
}
