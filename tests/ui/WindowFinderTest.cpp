#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "ui/WindowFinder.h"

namespace ombrel::testing {
namespace {

using ::testing::ElementsAre;

std::vector<WindowHandle> Windows(const std::vector<FinderRow>& rows) {
    std::vector<WindowHandle> windows;
    for (const FinderRow& row : rows) {
        windows.push_back(row.window);
    }
    return windows;
}

std::vector<int> Numbers(const std::vector<FinderRow>& rows) {
    std::vector<int> numbers;
    for (const FinderRow& row : rows) {
        numbers.push_back(static_cast<int>(row.window));
    }
    return numbers;
}

TEST(WindowFinder, EveryWordTypedMustBeInTheTitleOrTheProgramWhateverTheCase) {
    const auto row = [](int window, std::u16string title, std::u16string program) {
        return FinderRow{static_cast<WindowHandle>(window), 0, std::move(title),
                         std::move(program)};
    };
    const std::vector<FinderRow> rows{
        row(1, u"收件箱 - Outlook", u"OUTLOOK.EXE"),
        row(2, u"Report.docx - Word", u"WINWORD.EXE"),
        row(3, u"Inbox - Mail", u"olk.exe"),
        row(4, u"ПОЧТА - входящие", u"mail.exe"),
    };
    EXPECT_THAT(Numbers(FilterRows(rows, u"")), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(Numbers(FilterRows(rows, u"  ")), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(Numbers(FilterRows(rows, u"outlook")), ElementsAre(1));
    EXPECT_THAT(Numbers(FilterRows(rows, u"inbox mail")), ElementsAre(3));    // both words
    EXPECT_THAT(Numbers(FilterRows(rows, u"mail  exe")), ElementsAre(3, 4));  // title or program
    EXPECT_THAT(Numbers(FilterRows(rows, u"почта")), ElementsAre(4));
    EXPECT_THAT(Numbers(FilterRows(rows, u"收件")), ElementsAre(1));
    EXPECT_THAT(Numbers(FilterRows(rows, u"word excel")), ::testing::IsEmpty());
}

class Finder : public RunningProgram {};

// The most recently used first, whichever desktop it is on; a pinned window once.
TEST_F(Finder, ListsEveryWindowOfEveryDesktopTheMostRecentlyUsedFirst) {
    const WindowHandle notes = OpenApp(7);
    const WindowHandle player = OpenApp(8);
    StartProgram();
    fake.desktop.SetForeground(player);
    ASSERT_EQ(Engine().Run(Command{Command::Kind::Pin}).result, Outcome::Result::Done);
    fake.desktop.SetForeground(notes);
    Press(kFirstSendCode + 2);  // notes to desktop 3
    const WindowHandle mail = OpenApp(9);
    Tick();
    Press(2);  // notes in front on desktop 3
    Tick();
    const std::vector<FinderRow> rows = FinderRows(Engine().State());
    EXPECT_THAT(Windows(rows), ElementsAre(notes, mail, player));
    EXPECT_EQ(rows[0].desktop, 2);
    EXPECT_EQ(rows[1].desktop, 0);
    EXPECT_EQ(rows[2].desktop, kPinnedRow);
    EXPECT_EQ(rows[2].program, u"program8.exe");
}

// The finder opens on the bar's screen; Enter goes to the window chosen, Shift+Enter brings it
// here, Escape only closes.
TEST_F(Finder, EnterGoesToTheWindowChosenAndShiftEnterBringsItHere) {
    const WindowHandle notes = OpenApp(7);
    const WindowHandle player = OpenApp(8);
    StartProgram();
    fake.desktop.SetForeground(notes);
    Press(kFirstSendCode + 2);  // notes to desktop 3
    Tick();

    program->Run(Command{Command::Kind::Find});
    ASSERT_TRUE(fake.finder.IsOpen());
    EXPECT_EQ(fake.finder.Caption(), u"查找窗口");
    EXPECT_EQ(fake.finder.Bar(), Bar().WindowIfLoaded());
    fake.finder.Type(u"PROGRAM7");
    ASSERT_EQ(fake.finder.Lines().size(), 1u);
    EXPECT_EQ(fake.finder.Lines()[0].where, u"3");
    fake.finder.Choose(0);
    EXPECT_FALSE(fake.finder.IsOpen());
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
    EXPECT_TRUE(Visible(notes));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), notes);

    program->Run(Command{Command::Kind::Find});
    fake.finder.Type(u"program8");
    fake.finder.Choose(0, true);
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
    EXPECT_THAT(Set(2), ::testing::Contains(player));
    EXPECT_EQ(fake.desktop.GetForegroundWindow(), player);

    program->Run(Command{Command::Kind::Find});
    fake.finder.Type(u"nothing like it");
    fake.finder.Choose(0);  // an empty list: nothing happens, the finder stays
    EXPECT_TRUE(fake.finder.IsOpen());
    fake.finder.Dismiss();
    EXPECT_FALSE(fake.finder.IsOpen());
    EXPECT_EQ(Engine().CurrentDesktop(), 2);
}

}  // namespace
}  // namespace ombrel::testing
