#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "win32/Handles.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32FileLog.h"
#include "win32/Win32UserFiles.h"

namespace ombrel::win32 {
namespace {

// The log in a folder of its own, named by LOCALAPPDATA as the system names the user's.
class FileLog : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t previous[MAX_PATH] = {};
        hadPrevious_ = ::GetEnvironmentVariableW(L"LOCALAPPDATA", previous, MAX_PATH) > 0;
        previous_ = previous;
        base_ = std::filesystem::temp_directory_path() / "OmbrelLogTest";
        std::filesystem::remove_all(base_);
        std::filesystem::create_directories(base_);
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", base_.wstring().c_str());
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", hadPrevious_ ? previous_.c_str() : nullptr);
        std::filesystem::remove_all(base_);
    }
    std::string Read(const char* name) {
        std::ifstream file(base_ / "Ombrel" / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path base_;
    std::wstring previous_;
    bool hadPrevious_ = false;
};

TEST_F(FileLog, LinesAreStampedInUtf8AndAFullFileTurnsOverKeepingOneOlder) {
    std::size_t firstLine = 0;
    {
        Win32FileLog log;
        log.Write(u"热键 Ctrl+F5 未能注册（代码 1409）");
        log.Flush();
        const std::string text = Read("Ombrel.log");
        firstLine = text.size();
        // "2026-12-07 17:40:01.123 " then the line in UTF-8, ended for Notepad.
        ASSERT_GT(text.size(), 24U);
        EXPECT_EQ(text[4], '-');
        EXPECT_EQ(text.substr(24),
                  "\xE7\x83\xAD\xE9\x94\xAE Ctrl+F5 \xE6\x9C\xAA\xE8\x83\xBD\xE6\xB3"
                  "\xA8\xE5\x86\x8C\xEF\xBC\x88\xE4\xBB\xA3\xE7\xA0\x81 1409\xEF"
                  "\xBC\x89\r\n");
        const std::u16string filler(1000, u'x');
        for (int line = 0; line < 1100; ++line) {  // a little over 1 MiB
            log.Write(filler);
        }
    }  // the writer stores everything before it ends
    const std::string current = Read("Ombrel.log");
    const std::string older = Read("Ombrel.old.log");
    EXPECT_LE(older.size(), Win32FileLog::kMaxFileBytes);
    EXPECT_EQ(older.substr(24, 6), "\xE7\x83\xAD\xE9\x94\xAE");  // the first line went over
    EXPECT_GT(current.size(), 0U);
    EXPECT_LT(current.size(), older.size());
    constexpr std::size_t kFillerLine = 24 + 1000 + 2;  // stamp, text, line end
    EXPECT_EQ(older.size() + current.size(), firstLine + 1100 * kFillerLine);  // none lost
}

// The settings file in a folder of its own, named by APPDATA.
class SettingsFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t previous[MAX_PATH] = {};
        ::GetEnvironmentVariableW(L"APPDATA", previous, MAX_PATH);
        previous_ = previous;
        base_ = std::filesystem::temp_directory_path() / "OmbrelUserFilesTest";
        std::filesystem::remove_all(base_);
        std::filesystem::create_directories(base_);
        ::SetEnvironmentVariableW(L"APPDATA", base_.wstring().c_str());
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"APPDATA", previous_.c_str());
        std::filesystem::remove_all(base_);
    }
    void Write(const std::string& bytes) {
        std::filesystem::create_directories(base_ / "Ombrel");
        std::ofstream(base_ / "Ombrel" / "settings.json", std::ios::binary) << bytes;
    }

    std::filesystem::path base_;
    std::wstring previous_;
    MessageLoopWaits waits_;
    Win32UserFiles files_{waits_};
};

TEST_F(SettingsFileOnDisk, OnlyAFileThatIsNotThereIsAbsent) {
    const std::u16string path = files_.SettingsFilePath();
    EXPECT_EQ(files_.ReadFile(path, 100).outcome, FileRead::Outcome::Absent);
    Write("{}");
    EXPECT_EQ(files_.ReadFile(path, 100).bytes, "{}");
    EXPECT_EQ(files_.ReadFile(path, 1).outcome, FileRead::Outcome::TooLarge);
    const HANDLE held = ::CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ,
                                      0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const FileRead read = files_.ReadFile(path, 100);
    EXPECT_EQ(read.outcome, FileRead::Outcome::Failed);
    EXPECT_EQ(read.error.Code(), kErrorSharingViolation);
    ::CloseHandle(held);
}

TEST_F(SettingsFileOnDisk, ASaveIsHeardOnTheProgramsOwnThreadBetweenItsMessages) {
    const UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    constexpr UINT kChanged = WM_APP + 7;
    bool told = false;
    {
        // Its own, so that the watch lets go of the folder before the folder goes.
        Win32UserFiles watching(waits_);
        ASSERT_FALSE(watching.WatchSettingsFolder(FromHwnd(window.Get()), kChanged).Failed());
        // The timer wakes the wait, so that a save never heard fails rather than hangs.
        ::SetTimer(window.Get(), 1, 100, nullptr);
        Write("{}");
        // The program's loop: its messages, and between them what the waits hear.
        const ULONGLONG deadline = ::GetTickCount64() + 5000;
        while (!told && ::GetTickCount64() < deadline) {
            MSG message{};
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                told = told || message.message == kChanged;
            }
            if (!told) {
                waits_.Wait();
            }
        }
        ::KillTimer(window.Get(), 1);
        EXPECT_FALSE(watching.SettingsWatchFailure().Failed());
    }
    EXPECT_TRUE(told);
}

}  // namespace
}  // namespace ombrel::win32
