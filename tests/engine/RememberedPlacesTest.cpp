#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunningProgram.h"
#include "engine/PlaceMatching.h"
#include "platform/Text.h"
#include "shell/ArrangementJournal.h"
#include "shell/ArrangementJson.h"

namespace ombrel::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr std::u16string_view kNotepad = u"C:\\Programs\\program7.exe";
constexpr std::u16string_view kFrameHost = u"C:\\Programs\\ApplicationFrameHost.exe";
constexpr std::int64_t kToday = fakes::FakeClock::kFirstDay;

PlaceRecord Record(std::u16string_view title, int desktop, int order = 1,
                   std::u16string_view program = kNotepad,
                   std::u16string_view className = u"Notepad", std::u16string_view appId = u"",
                   std::int64_t lastMet = kToday - 1) {
    return {std::u16string(program),
            std::u16string(className),
            std::u16string(appId),
            std::u16string(title),
            desktop,
            order,
            lastMet};
}

TEST(PlaceMatching, TheSameTitleThenTheMostAlikeThenTheOrderOfAppearanceDecide) {
    const PlaceRecord first = Record(u"", 1, 1);
    const PlaceRecord second = Record(u"", 2, 2);
    const PlaceRecord report = Record(u"report.txt - Notepad", 3, 3);
    const PlaceRecord todo = Record(u"todo.txt - Notepad", 4, 4);
    const PlaceRecord other = Record(u"report.txt - Notepad", 5, 1, u"C:\\Other\\program7.exe");
    const std::vector<const PlaceRecord*> all{&first, &second, &report, &todo, &other};
    const auto best = [&](std::u16string title, int order,
                          std::vector<const PlaceRecord*> candidates) {
        return BestRecord(candidates, {std::u16string(kNotepad), u"NOTEPAD", u"", std::move(title)},
                          order);
    };
    EXPECT_EQ(best(u"report.txt - Notepad", 1, all), 2U);      // the title before the order
    EXPECT_EQ(best(u"report (2).txt - Notepad", 4, all), 2U);  // alike: one more word
    EXPECT_EQ(best(u"", 2, all), 1U);          // the same empty title: the order tells
    EXPECT_EQ(best(u"Untitled", 1, all), 0U);  // like none: the order alone
    EXPECT_EQ(best(u"report.txt - Notepad", 1, {&other}), std::nullopt);  // another program
    EXPECT_GE(TitleLikeness(u"report.txt - Notepad", u"report (2).txt - Notepad"), kLikeTitles);
    EXPECT_LT(TitleLikeness(u"Inbox", u"report.txt"), kLikeTitles);
}

TEST(PlaceMatching, AppUserModelIdsTellAppsOfOneProgramApartWhereBothHaveOne) {
    const PlaceRecord calculator =
        Record(u"Calculator", 1, 1, kFrameHost, u"ApplicationFrameWindow", u"Microsoft.Calculator");
    const PlaceRecord photos =
        Record(u"Photos", 2, 2, kFrameHost, u"ApplicationFrameWindow", u"Microsoft.Photos");
    const std::vector<const PlaceRecord*> both{&calculator, &photos};
    const auto best = [&](std::u16string appId) {
        return BestRecord(both,
                          {std::u16string(kFrameHost), u"ApplicationFrameWindow", std::move(appId),
                           u"Calculator"},
                          1);
    };
    EXPECT_EQ(best(u"Microsoft.Photos"), 1U);  // its own app, whatever the title
    EXPECT_EQ(best(u"Microsoft.Mail"), std::nullopt);
    EXPECT_EQ(best(u""), 0U);  // without one: as any program's window
}

TEST(ArrangementText, RecordsComeBackAsWrittenAndAnythingElseIsRefused) {
    const std::vector<PlaceRecord> records{
        Record(u"笔记 \"1\"", 8, 2),
        Record(u"Calculator", PlaceRecord::kPinned, 1, kFrameHost, u"ApplicationFrameWindow",
               u"Microsoft.Calculator", kToday)};
    const std::string text = ArrangementJson(records, 4096);
    EXPECT_NE(text.find("\"lastMet\":\"2026-12-08\""), std::string::npos);
    EXPECT_NE(text.find("\"desktop\":9"), std::string::npos);  // as the user counts
    EXPECT_EQ(ParseArrangementJson(text), records);
    const std::string cut = ArrangementJson(records, text.size() - 1);  // the last does not fit
    EXPECT_EQ(ParseArrangementJson(cut), std::vector<PlaceRecord>{records.front()});
    for (const std::string_view bad : {
             R"({"format": "Ombrel arrangement 1", "windows": [)",
             R"({"format": "Some other list", "windows": []})",
             R"([])",
             R"({"format": "Ombrel arrangement 1", "windows": [{"program": "a.exe"}]})",
         }) {
        EXPECT_EQ(ParseArrangementJson(bad), std::nullopt) << bad;
    }
    // A date that is no day of the calendar, or not written as the list writes it.
    for (const std::string_view date :
         {"2026-02-30", "2026-13-08", "2026-1-008", "2026-12-8x", "+026-12-08", "2026/12/08"}) {
        std::string bad = text;
        bad.replace(bad.find("2026-12-08"), 10, date);
        EXPECT_EQ(ParseArrangementJson(bad), std::nullopt) << bad;
    }
}

class Remembering : public RunningProgram {
  protected:
    static constexpr std::u16string_view kJournal = fakes::FakeUserFiles::kArrangementFile;

    void Settings(std::string members = R"("remember": true)") {
        fake.files.Save(fakes::FakeUserFiles::kSettingsFile, "{ " + members + " }");
    }
    void Journal(const std::vector<PlaceRecord>& records) {
        fake.files.Save(kJournal, ArrangementJson(records, ArrangementJournal::kMaxBytes));
    }
    std::vector<PlaceRecord> Written() {
        const std::optional<std::string> text = fake.files.Contents(kJournal);
        return text ? ParseArrangementJson(*text).value_or(std::vector<PlaceRecord>{})
                    : std::vector<PlaceRecord>{};
    }
    // A window of a program appears, and the next refresh a second later sees it.
    WindowHandle Appear(std::u16string title, fakes::ThreadId thread = kAppThread,
                        std::u16string className = u"Notepad", std::u16string appId = u"") {
        const WindowHandle window = fake.desktop.OpenWindow({.className = std::move(className),
                                                             .title = std::move(title),
                                                             .thread = thread,
                                                             .appId = std::move(appId)});
        Second();
        return window;
    }
    void Second() {
        fake.clock.Advance(1000);
        Tick();
    }
};

TEST_F(Remembering, WindowsGoBackByTitleEvenChangedAndEachRecordServesOneWindow) {
    Settings();
    Journal({Record(u"report.txt - Notepad", 2, 1), Record(u"todo.txt - Notepad", 4, 2)});
    StartProgram();

    const WindowHandle todo = Appear(u"todo.txt - Notepad");
    const WindowHandle report = Appear(u"report (2).txt - Notepad");
    const WindowHandle third = Appear(u"report.txt - Notepad");

    EXPECT_THAT(Set(4), ElementsAre(todo));
    EXPECT_THAT(Set(2), ElementsAre(report));
    EXPECT_FALSE(Visible(todo));  // hidden at once, as a rule's placement is
    EXPECT_FALSE(Visible(report));
    // Both records served: its program's windows are on two desktops, so it stays.
    EXPECT_THAT(Set(0), Contains(third));
    EXPECT_TRUE(Visible(third));
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
}

TEST_F(Remembering, WindowsOfOneTitleGoBackInTheOrderTheyAppeared) {
    Settings();
    Journal({Record(u"", 5, 2), Record(u"", 1, 1)});
    StartProgram();
    const WindowHandle first = Appear(u"");
    const WindowHandle second = Appear(u"");
    EXPECT_THAT(Set(1), ElementsAre(first));
    EXPECT_THAT(Set(5), ElementsAre(second));
}

TEST_F(Remembering, AWindowWithoutARecordGoesWhereItsProgramsWindowsLastWereTogether) {
    Settings();
    Journal({Record(u"Main", 6, 1), Record(u"Tools", 6, 1, kNotepad, u"Palette")});
    StartProgram();
    const WindowHandle newKind = Appear(u"Find", kAppThread, u"FindDialog");
    EXPECT_THAT(Set(6), ElementsAre(newKind));
    // Another program, never met: where it appears.
    const WindowHandle stranger = Appear(u"Main", 12);
    EXPECT_THAT(Set(0), Contains(stranger));
}

TEST_F(Remembering, AppsOfOneHostGoBackByTheirAppUserModelIdAndPinnedOnesArePinned) {
    constexpr fakes::ThreadId kHost = 30;
    fake.desktop.NameProgram(kHost, u"ApplicationFrameHost.exe");
    Settings();
    Journal({Record(u"Calculator", PlaceRecord::kPinned, 1, kFrameHost, u"ApplicationFrameWindow",
                    u"Microsoft.Calculator"),
             Record(u"Photos", 7, 1, kFrameHost, u"ApplicationFrameWindow", u"Microsoft.Photos")});
    StartProgram();
    const WindowHandle photos =
        Appear(u"Calculator", kHost, u"ApplicationFrameWindow", u"Microsoft.Photos");
    const WindowHandle calculator =
        Appear(u"Calculator", kHost, u"ApplicationFrameWindow", u"Microsoft.Calculator");
    const WindowHandle mail =
        Appear(u"Calculator", kHost, u"ApplicationFrameWindow", u"Microsoft.Mail");
    EXPECT_THAT(Set(7), ElementsAre(photos));
    EXPECT_THAT(Set(0), ElementsAre(mail));
    Press(3);
    EXPECT_TRUE(Visible(calculator));  // on every desktop
    EXPECT_FALSE(Visible(mail));
}

TEST_F(Remembering, ARuleComesBeforeTheRecordAndWindowsOpenAtStartGoBackAsRulesPlaceThem) {
    Settings(R"("remember": true, "rules": [ { "title": "ruled", "desktop": 9 } ])");
    Journal({Record(u"ruled", 2, 1), Record(u"before", 3, 2)});
    const WindowHandle before =
        fake.desktop.OpenWindow({.className = u"Notepad", .title = u"before", .thread = 7});
    StartProgram();
    const WindowHandle ruled = Appear(u"ruled");
    EXPECT_THAT(Set(8), ElementsAre(ruled));
    EXPECT_THAT(Set(3), ElementsAre(before));
    EXPECT_FALSE(Visible(before));
    EXPECT_EQ(Engine().CurrentDesktop(), 0);
}

TEST_F(Remembering, AfterAKillTheRecoveryListPutsWindowsBackWhateverTheJournalSays) {
    Settings();
    StartProgram();
    const WindowHandle report = Appear(u"report.txt - Notepad");
    fake.desktop.SetForeground(report);
    Press(kFirstSendCode + 2);
    Journal({Record(u"report.txt - Notepad", 6)});  // as another run left it
    program.reset();                                // killed
    StartProgram();
    Second();
    EXPECT_THAT(Set(2), ElementsAre(report));
}

TEST_F(Remembering, ASignOutKeepsTheDesktopsWindowsWereOnNotTheOneTheyAreGatheredOn) {
    Settings();
    StartProgram();
    const WindowHandle report = Appear(u"report.txt - Notepad");
    fake.desktop.SetForeground(report);
    Press(kFirstSendCode + 2);
    fake.desktop.SetTitle(report, u"report.txt* - Notepad");
    const int writes = fake.files.Replacements();
    program->Run(SessionEnding{});
    EXPECT_EQ(fake.files.Replacements(), writes + 1);  // at once: the power may go next
    Second();
    Second();
    EXPECT_TRUE(Visible(report));
    EXPECT_THAT(Written(), ElementsAre(Record(u"report.txt* - Notepad", 2, 1, kNotepad, u"Notepad",
                                              u"", kToday)));
}

// Only a program started again goes back: a program already running opens its new windows
// where the user is, whatever its records or its other windows say.
TEST_F(Remembering, ANewWindowOfAProgramAlreadyRunningOpensWhereTheUserIs) {
    Settings();
    StartProgram();
    Appear(u"Player");
    Press(1);
    Second();
    fake.desktop.NameProgram(8, u"program7.exe");  // a second start of the same program
    const WindowHandle mail = Appear(u"Mail", 8);
    EXPECT_TRUE(Visible(mail));
    program->Run(Command{Command::Kind::Exit});
    EXPECT_THAT(Written(), ElementsAre(Record(u"Player", 0, 1, kNotepad, u"Notepad", u"", kToday),
                                       Record(u"Mail", 1, 2, kNotepad, u"Notepad", u"", kToday)));

    // Started again with "Player" open: a record of its own for a window the same process opens
    // once it has run a while changes nothing.
    Journal({Record(u"Player", 2), Record(u"Player 2", 3)});
    StartProgram();
    for (unsigned look = 0; look <= RememberedPlaces::kStartingLooks; ++look) {
        Second();
    }
    const WindowHandle late = Appear(u"Player 2");
    EXPECT_TRUE(Visible(late));
    EXPECT_THAT(Set(0), Contains(late));
}

TEST_F(Remembering, OffByDefaultNothingIsMovedOrWritten) {
    Journal({Record(u"report.txt - Notepad", 2)});
    const std::optional<std::string> kept = fake.files.Contents(kJournal);
    StartProgram();
    const WindowHandle report = Appear(u"report.txt - Notepad");
    Second();
    Second();
    EXPECT_THAT(Set(0), Contains(report));
    EXPECT_EQ(fake.files.Replacements(), 0);
    EXPECT_EQ(fake.files.Contents(kJournal), kept);
}

TEST_F(Remembering, ChangesAreWrittenWholeWithinTwoSecondsAtMostOnceEveryTwo) {
    Settings();
    StartProgram();
    const WindowHandle first = fake.desktop.OpenWindow({.title = u"one", .thread = 7});
    Second();
    EXPECT_EQ(fake.files.Replacements(), 1);  // no journal before: a new one
    // A burst of changes within the second after a write: one write, a second later.
    fake.desktop.OpenWindow({.title = u"two", .thread = 7});
    fake.desktop.SetForeground(first);
    Press(kFirstSendCode + 3);
    fake.desktop.OpenWindow({.title = u"three", .thread = 12});
    Second();
    EXPECT_EQ(fake.files.Replacements(), 1);
    Second();
    EXPECT_EQ(fake.files.Replacements(), 2);
    for (int i = 0; i < 5; ++i) {
        Second();  // nothing changed
    }
    EXPECT_EQ(fake.files.Replacements(), 2);

    const std::vector<PlaceRecord> written = Written();
    EXPECT_THAT(written, Contains(Record(u"one", 3, 1, kNotepad, u"Notepad", u"", kToday)));
    EXPECT_THAT(written, Contains(Record(u"two", 0, 2, kNotepad, u"Notepad", u"", kToday)));
    EXPECT_THAT(written, Contains(Record(u"three", 0, 1, u"C:\\Programs\\program12.exe", u"Notepad",
                                         u"", kToday)));
    EXPECT_NE(fake.files.Contents(kJournal)->find("\"format\": \"Ombrel arrangement 1\""),
              std::string::npos);
}

TEST_F(Remembering, TheJournalKeepsAThousandRecordsAndNoneUnmetForThirtyDays) {
    std::vector<PlaceRecord> records;
    for (int i = 0; i < 999; ++i) {
        records.push_back(Record(u"recent", 1, 1, u"C:\\p" + DecimalText(i) + u".exe"));
    }
    records.push_back(Record(u"oldest", 1, 1, u"C:\\oldest.exe", u"Notepad", u"", kToday - 2));
    records.push_back(Record(u"gone", 1, 1, u"C:\\gone.exe", u"Notepad", u"", kToday - 31));
    Settings();
    Journal(records);
    StartProgram();
    Appear(u"new");
    Second();
    const std::vector<PlaceRecord> written = Written();
    EXPECT_EQ(written.size(), RememberedPlaces::kMaxRecords);
    EXPECT_EQ(written.front().title, u"new");  // the most recently met first
    for (const PlaceRecord& record : written) {
        EXPECT_NE(record.title, u"oldest");
        EXPECT_NE(record.title, u"gone");
    }
}

TEST_F(Remembering, AJournalThatCannotBeOursIsSetAsideAndANewOneBegun) {
    // Too large for a start to read; what is not a journal at all is refused as a text above.
    const std::string large(ArrangementJournal::kMaxBytes + 1, ' ');
    fake.files.Save(kJournal, large);
    fake.files.Save(std::u16string(kJournal) + u".bad", "an older one");
    Settings();
    StartProgram();
    EXPECT_EQ(fake.files.Contents(std::u16string(kJournal) + u".bad"), large);
    EXPECT_EQ(fake.log.Count(u"arrangement.json.bad"), 1U);
    Appear(u"one");
    EXPECT_THAT(Written(), ElementsAre(Record(u"one", 0, 1, kNotepad, u"Notepad", u"", kToday)));
}

TEST_F(Remembering, AJournalHeldByAnotherProgramIsNeitherUsedNorWrittenOverUntilRead) {
    Journal({Record(u"report.txt - Notepad", 2)});
    fake.files.FailReads(kJournal, kErrorSharingViolation, 2);
    Settings();
    StartProgram();
    const WindowHandle report = Appear(u"report.txt - Notepad");  // the second read fails
    EXPECT_THAT(Set(0), Contains(report));
    EXPECT_EQ(fake.files.Replacements(), 0);
    EXPECT_EQ(fake.log.Count(u"arrangement.json"), 1U);
    Second();  // read now: what is on screen stays where it is, and takes its record
    Second();
    EXPECT_THAT(Set(0), Contains(report));
    EXPECT_THAT(Written(), ElementsAre(Record(u"report.txt - Notepad", 0, 1, kNotepad, u"Notepad",
                                              u"", kToday)));
}

}  // namespace
}  // namespace ombrel::testing
