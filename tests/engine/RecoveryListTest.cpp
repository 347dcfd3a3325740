#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunningProgram.h"

namespace ombrel::testing {
namespace {

using ::testing::IsEmpty;
using ::testing::IsSupersetOf;
using ::testing::UnorderedElementsAre;

constexpr std::u16string_view kRecoveryKey = u"HKCU\\Software\\Kelvora\\Recovery";
// Session 1's list, where the fake runs the program.
constexpr std::u16string_view kListKey = u"HKCU\\Software\\Kelvora\\Recovery\\1";

class Recovery : public RunningProgram {
  protected:
    std::vector<WindowHandle> Listed() {
        RecoveryList list(fake.registry, fake.desktop, fake.log, fake.texts, fake.forms);
        std::vector<WindowHandle> windows;
        for (const RecoveryList::Entry& entry : list.Read()) {
            windows.push_back(entry.window);
        }
        return windows;
    }
    // The program dies without its shut-down: killed, or crashed.
    void Die() { program.reset(); }
};

TEST_F(Recovery, TheListFollowsEveryHideAndShowWrittenBeforeTheHidesAndAfterTheShows) {
    const WindowHandle a = OpenApp();
    const WindowHandle b = OpenApp();
    StartProgram();
    EXPECT_THAT(Listed(), IsEmpty());
    EXPECT_TRUE(fake.registry.IsVolatile(kListKey));
    // The per-user settings live beside it and outlast the log-on.
    EXPECT_FALSE(fake.registry.IsVolatile(u"HKCU\\Software\\Kelvora"));

    // The windows about to go are listed before the first hide goes out, so that a kill on the
    // way leaves none hidden and unlisted.
    std::vector<WindowHandle> listedAtFirstHide;
    fake.desktop.BeforeAsyncShow([&](WindowHandle, ShowCommand command) {
        if (command == ShowCommand::Hide && listedAtFirstHide.empty()) {
            listedAtFirstHide = Listed();
        }
    });
    const int writes = fake.registry.SetValueCalls();
    Press(1);  // desktop 2
    EXPECT_THAT(listedAtFirstHide, UnorderedElementsAre(a, b));
    // Once, before the hides, already naming desktop 2 as current: nothing was shown after.
    EXPECT_EQ(fake.registry.SetValueCalls() - writes, 1);
    EXPECT_THAT(Listed(), UnorderedElementsAre(a, b));
    fake.desktop.BeforeAsyncShow(nullptr);

    const WindowHandle c = OpenApp();
    const int beforeSend = fake.registry.SetValueCalls();
    Press(kFirstSendCode + 4);                                 // c goes to desktop 5
    EXPECT_EQ(fake.registry.SetValueCalls() - beforeSend, 1);  // once for the whole command
    EXPECT_THAT(Listed(), UnorderedElementsAre(a, b, c));
    Click(bar::kTaskbar);
    EXPECT_THAT(Listed(), UnorderedElementsAre(a, b, c, trayWnd));
    Press(0);
    // The switch wrote once, before its hides, and the windows it showed after are still named:
    // a list that names a shown window is safe (it is shown again at most). The next refresh
    // writes them out.
    EXPECT_THAT(Listed(), IsSupersetOf({c, trayWnd}));
    Tick();
    EXPECT_THAT(Listed(), UnorderedElementsAre(c, trayWnd));

    const int before = fake.registry.SetValueCalls();
    Press(0);  // nothing changes: nothing is written
    Tick();
    EXPECT_EQ(fake.registry.SetValueCalls(), before);

    // A window closed while hidden leaves the list at the next refresh, and the program too.
    fake.desktop.CloseWindow(c);
    Tick();
    EXPECT_THAT(Listed(), UnorderedElementsAre(trayWnd));
    EXPECT_EQ(Engine().Known().Entry(c), nullptr);

    Click(bar::kExit);
    EXPECT_FALSE(fake.registry.KeyExists(kRecoveryKey));
}

TEST_F(Recovery, ANewStartPutsADeadInstancesWindowsBackOnTheirDesktopsAndSkipsWhatIsGone) {
    const std::vector<WindowHandle> apps{OpenApp(), OpenApp(), OpenApp()};
    StartProgram();
    Click(bar::kDesktopIcons);
    Press(2);
    const WindowHandle third = OpenApp();
    Tick();
    for (WindowHandle window : apps) {
        ASSERT_FALSE(Visible(window));
    }
    Die();
    fake.desktop.CloseWindow(apps[0]);              // stale now
    fake.desktop.SetVisibleByOwner(apps[1], true);  // shown meanwhile (by the guard)
    const WindowHandle newcomer = OpenApp();
    StartProgram();
    // Back on desktop 3, which was current: its own window and the newcomer.
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
    EXPECT_EQ(Bar().Caption(), u"这是桌面-3");
    EXPECT_EQ(Bar().Tag(), u"2");
    EXPECT_TRUE(Visible(third));
    EXPECT_TRUE(Visible(newcomer));
    EXPECT_TRUE(Visible(progMan));  // the icons belong to no desktop: shown again
    EXPECT_FALSE(Visible(apps[1]));
    EXPECT_FALSE(Visible(apps[2]));
    EXPECT_THAT(Set(0), UnorderedElementsAre(apps[1], apps[2]));
    EXPECT_THAT(Listed(), UnorderedElementsAre(apps[1], apps[2]));
    Press(0);
    EXPECT_TRUE(Visible(apps[1]));
    EXPECT_TRUE(Visible(apps[2]));
    EXPECT_FALSE(Visible(newcomer));
}

TEST_F(Recovery, AHandleThatNowNamesAnotherProgramsWindowIsLeftAlone) {
    const WindowHandle mine = OpenApp(kAppThread);
    StartProgram();
    Press(1);
    Die();
    // Same handle, other owner: stands for a handle the system gave out again. The list names
    // no writer.
    std::vector<std::byte> data(32);
    const auto handle = static_cast<std::uint64_t>(mine);
    for (int i = 0; i < 8; ++i) {
        data[16 + i] = static_cast<std::byte>((handle >> (8 * i)) & 0xFF);
    }
    data[24] = std::byte{0x39};  // a process id that is not the window's
    fake.registry.PutValue(kListKey, u"Windows", {RegBinary, data});
    StartProgram();
    EXPECT_FALSE(Visible(mine));
}

TEST_F(Recovery, EachSessionHasItsOwnListAndOneExitLeavesTheOthersList) {
    const WindowHandle app = OpenApp();
    fake.forms.SetSessionId(2);
    StartProgram();
    Press(1);
    const std::u16string secondSession = std::u16string(kRecoveryKey) + u"\\2";
    ASSERT_TRUE(fake.registry.GetValue(secondSession, u"Windows").has_value());
    // Session 1's instance ends in order while session 2's still holds a window.
    fakes::FakeFormRuntime sessionOne(fake.desktop);
    RecoveryList first(fake.registry, fake.desktop, fake.log, fake.texts, sessionOne);
    first.Save({}, 0);
    first.Remove();
    EXPECT_FALSE(fake.registry.KeyExists(kListKey));
    EXPECT_TRUE(fake.registry.GetValue(secondSession, u"Windows").has_value());
    Die();
    StartProgram();  // session 2 again: its window is back on its desktop
    EXPECT_EQ(Engine().CurrentDesktop(), 1);
    Press(0);
    EXPECT_TRUE(Visible(app));
}

TEST_F(Recovery, TheListOfAnInstanceThatStillRunsIsNeverTaken) {
    const WindowHandle app = OpenApp();
    StartProgram();
    Press(1);
    // The list names another instance, alive, which the instance object did not reveal.
    constexpr ProcessIdentity kLive{777, 0x01DB00000000ABCD};
    fake.forms.AddRunningProcess(kLive);
    fakes::FakeRegistry::Value list = *fake.registry.GetValue(kListKey, u"Windows");
    list.data[0] = std::byte{0x09};
    list.data[1] = std::byte{0x03};  // 777
    for (int i = 0; i < 8; ++i) {
        list.data[8 + i] = static_cast<std::byte>((kLive.startTime >> (8 * i)) & 0xFF);
    }
    fake.registry.PutValue(kListKey, u"Windows", list);
    Program second(fake.platform, fake.texts);
    second.Start();
    EXPECT_TRUE(second.Ended());
    EXPECT_FALSE(Visible(app));
    EXPECT_THAT(Listed(), ::testing::ElementsAre(app));
}

// The guard's side: it has watched the instance end and decides what to show.
TEST_F(Recovery, TheGuardShowsWhatAKilledInstanceLeftAndNothingAfterAnOrderlyExit) {
    const WindowHandle a = OpenApp();
    const WindowHandle b = OpenApp();
    StartProgram();
    Tick();
    EXPECT_GT(fake.forms.GuardChecks(), 0);  // started with the first refresh
    Press(1);
    const ProcessIdentity instance = fake.forms.Identity();
    Die();
    fake.desktop.CloseWindow(b);  // closed meanwhile; its handle now names a stranger's window
    const WindowHandle stranger =
        fake.desktop.OpenWindow({.visible = false, .thread = 99, .reuse = b});
    RecoveryList guard(fake.registry, fake.desktop, fake.log, fake.texts, fake.forms);
    EXPECT_EQ(guard.ShowAfterDeathOf({instance.id + 1, instance.startTime}), 0U);  // not its own
    EXPECT_FALSE(Visible(a));
    EXPECT_EQ(guard.ShowAfterDeathOf(instance), 1U);
    EXPECT_TRUE(Visible(a));
    EXPECT_FALSE(Visible(stranger));
    EXPECT_THAT(Listed(), UnorderedElementsAre(a, b));  // kept for the next start
    EXPECT_EQ(fake.log.Count(u"没有正常退出，已显示 1 个隐藏的窗口"), 1U);

    StartProgram();
    Press(1);
    Click(bar::kExit);
    EXPECT_EQ(guard.ShowAfterDeathOf(instance), 0U);
    EXPECT_FALSE(Visible(stranger));
}

TEST_F(Recovery, TheGuardReadsTheListInOneGoSoANewInstanceWritingMeanwhileKeepsItsWindows) {
    const WindowHandle away = OpenApp();
    StartProgram();
    Press(1);
    const ProcessIdentity dead = fake.forms.Identity();
    Die();
    // The next instance starts between the guard's reads: it takes the list over, keeps the
    // window of desktop 1 hidden, and writes its own list.
    fake.registry.AfterNextQuery([&] {
        fake.forms.SetIdentity({dead.id + 1, dead.startTime + 1});
        StartProgram();
    });
    RecoveryList guard(fake.registry, fake.desktop, fake.log, fake.texts, fake.forms);
    EXPECT_EQ(guard.ShowAfterDeathOf(dead), 0U);
    EXPECT_FALSE(Visible(away));
    EXPECT_THAT(Listed(), ::testing::ElementsAre(away));
}

TEST_F(Recovery, ACorruptListIsDroppedCalmly) {
    const WindowHandle hidden = OpenApp();
    fake.desktop.SetVisibleByOwner(hidden, false);
    const std::vector<fakes::FakeRegistry::Value> corrupt{
        {RegSz, fakes::StringData(u"not a list")},
        {RegBinary, std::vector<std::byte>(17)},
        {RegDword, std::vector<std::byte>(4, std::byte{0xFF})},
        {RegBinary, std::vector<std::byte>(16, std::byte{0xAB})},
    };
    for (const auto& value : corrupt) {
        fake.registry.PutValue(kListKey, u"Windows", value);
        RecoveryList list(fake.registry, fake.desktop, fake.log, fake.texts, fake.forms);
        const std::optional<RecoveryList::Arrangement> left = list.TakeOver();
        EXPECT_TRUE(!left || left->windows.empty());
        EXPECT_FALSE(fake.registry.KeyExists(kRecoveryKey));
    }
    EXPECT_FALSE(Visible(hidden));  // a window its own program hid stays hidden
}

TEST_F(Recovery, ACrashShowsEverythingHeldAtOnceWithoutWaiting) {
    constexpr fakes::ThreadId kHung = 77;
    const WindowHandle a = OpenApp();
    const WindowHandle frozen = OpenApp(kHung);
    StartProgram();
    Click(bar::kTaskbar);
    Press(1);
    fake.desktop.HangThread(kHung);
    program->ShowEverythingNow();
    EXPECT_TRUE(Visible(a));
    EXPECT_TRUE(Visible(trayWnd));
    EXPECT_EQ(fake.desktop.HangsObserved(), 0);
    fake.desktop.ResumeThread(kHung);
    EXPECT_TRUE(Visible(frozen));
}

}  // namespace
}  // namespace ombrel::testing
