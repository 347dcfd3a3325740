#include <gtest/gtest.h>

#include "FakeServiceManager.h"
#include "service/ServiceControl.h"

namespace ombrel {
namespace {

const std::u16string kName(kCompanionServiceName);

class CompanionService : public ::testing::Test {
  protected:
    // Every handle opened is closed, the service's before the manager's.
    void ExpectAllClosed(std::size_t expectedCloses) {
        EXPECT_EQ(services.OpenHandles(), 0U);
        ASSERT_EQ(services.ClosedHandles().size(), expectedCloses);
        if (expectedCloses == 2) {
            EXPECT_GT(services.ClosedHandles()[0], services.ClosedHandles()[1]);
        }
    }
    fakes::FakeServiceManager services;
};

TEST_F(CompanionService, StartThenStopSucceedAndTheServiceFollows) {
    services.Install(kName);
    EXPECT_EQ(StartCompanionService(services), kSucceeded);
    EXPECT_TRUE(services.IsRunning(kName));
    EXPECT_EQ(StopCompanionService(services), kSucceeded);
    EXPECT_FALSE(services.IsRunning(kName));
    EXPECT_EQ(services.OpenHandles(), 0U);
}

TEST_F(CompanionService, AlreadyRunningAtStartGives1056AndClosesBoth) {
    services.Install(kName, true);
    EXPECT_EQ(StartCompanionService(services), SystemError(1056));
    ExpectAllClosed(2);
}

TEST_F(CompanionService, NotRunningAtStopGives1062AndClosesBoth) {
    services.Install(kName, false);
    EXPECT_EQ(StopCompanionService(services), SystemError(1062));
    ExpectAllClosed(2);
}

TEST_F(CompanionService, NoSuchServiceGives1060AndClosesTheManager) {
    EXPECT_EQ(StartCompanionService(services), SystemError(1060));
    ExpectAllClosed(1);
    EXPECT_EQ(StopCompanionService(services), SystemError(1060));
}

TEST_F(CompanionService, NoRightToTheServiceGives5) {
    services.Install(kName);
    services.DenyControl(kName);
    EXPECT_EQ(StartCompanionService(services), SystemError(5));
    ExpectAllClosed(1);
}

TEST_F(CompanionService, NoAccessToTheManagerOpensAndClosesNothing) {
    services.Install(kName);
    services.DenyManager();
    EXPECT_EQ(StartCompanionService(services), SystemError(5));
    EXPECT_EQ(StopCompanionService(services), SystemError(5));
    ExpectAllClosed(0);
}

}  // namespace
}  // namespace ombrel
