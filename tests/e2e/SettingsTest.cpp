// The settings dialog against the real registry, wallpaper and open-file dialog.
#include <windows.h>

#include "ScreenCapture.h"
#include "Session.h"

namespace ombrel::e2e {
namespace {

void PutString(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    HKEY opened = nullptr;
    ::RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
    ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(opened);
}

bool Stored(const wchar_t* name, std::wstring* value = nullptr) {
    bool found = false;
    const std::wstring text = ReadString(HKEY_LOCAL_MACHINE, kSettingsKey, name, &found);
    if (value != nullptr) {
        *value = text;
    }
    return found;
}

class SettingsDialog : public Session {
  protected:
    // Opens the dialog the way a mouse user does: a double-click on the bar's free surface.
    HWND Open(const wchar_t* caption = L"设置") {
        RECT client{};
        ::GetClientRect(Bar(), &client);
        POINT free{client.right / 2, client.bottom - 3};
        ::ClientToScreen(Bar(), &free);
        driver::ClickAt(free, /*twice=*/true);
        HWND dialog = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            dialog = ::FindWindowW(L"OmbrelForm", caption);
            return dialog != nullptr && Visible(dialog) && ::GetForegroundWindow() == dialog;
        })) << "the settings dialog did not open in front";
        return dialog;
    }
    // The wallpaper boxes, desktop 1 to 9: the dialog's edit controls in tab order.
    static std::vector<HWND> Boxes(HWND dialog) {
        std::vector<HWND> boxes;
        for (HWND box = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr); box != nullptr;
             box = ::FindWindowExW(dialog, box, L"Edit", nullptr)) {
            boxes.push_back(box);
        }
        return boxes;
    }
    static std::vector<HWND> BrowseButtons(HWND dialog) {
        std::vector<HWND> buttons;
        for (HWND button = ::FindWindowExW(dialog, nullptr, L"Button", L""); button != nullptr;
             button = ::FindWindowExW(dialog, button, L"Button", L"")) {
            buttons.push_back(button);
        }
        return buttons;
    }
    static bool Closed(HWND dialog) { return ::IsWindow(dialog) == FALSE; }
    void TypeInto(HWND box, const std::wstring& text) {
        driver::ClickAt(driver::CenterOf(box));
        driver::TypeText(box, text);
        ASSERT_TRUE(WaitFor([&] { return driver::ControlText(box) == text; }))
            << "the typed text did not arrive";
    }
    // The system's open-file dialog that the browse button opened.
    HWND WaitForOpenFileDialog() {
        HWND dialog = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            dialog = ::FindWindowW(L"#32770", nullptr);
            return dialog != nullptr && Visible(dialog);
        })) << "the open-file dialog did not appear";
        return dialog;
    }
};

TEST_F(SettingsDialog, OpensFilledFromTheRegistryAndOkSavesWhatWasTyped) {
    PutString(HKEY_LOCAL_MACHINE, kSettingsKey, L"WallPaper0", L"C:\\pictures\\one.bmp");
    StartOmbrel();
    const HWND dialog = Open();
    const std::vector<HWND> boxes = Boxes(dialog);
    ASSERT_EQ(boxes.size(), 9U);
    EXPECT_EQ(driver::ControlText(boxes[0]), L"C:\\pictures\\one.bmp");
    EXPECT_EQ(
        ::SendMessageW(driver::FindChildButton(dialog, L"启动时跳过提示信息"), BM_GETCHECK, 0, 0),
        BST_CHECKED);
    SaveScreenshot(L"settings", dialog);

    TypeInto(boxes[1], L"D:\\图片\\海边.bmp");
    ClickButton(dialog, L"Windows启动时自动加载");
    ClickButton(dialog, L"启动时跳过提示信息");
    ClickButton(dialog, L"确  定");
    // Wine's folders grant the user the right to write them, as a folder in the user's own
    // Downloads would: the start with Windows is the user's alone, and the dialog says why.
    HWND why = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        why = ::FindWindowW(L"#32770", L"设置");
        return why != nullptr && why != dialog && Visible(why);
    })) << "no word on why the start is the user's alone";
    ::PostMessageW(::GetDlgItem(why, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return Closed(dialog); }));

    std::wstring value;
    EXPECT_TRUE(Stored(L"WallPaper0", &value));
    EXPECT_EQ(value, L"C:\\pictures\\one.bmp");
    EXPECT_TRUE(Stored(L"WallPaper1", &value));
    EXPECT_EQ(value, L"D:\\图片\\海边.bmp");
    EXPECT_FALSE(Stored(L"NeverShowInfo"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"Kelvora"), WinePath(OMBREL_EXE_PATH));
    bool machineWide = true;
    ReadString(HKEY_LOCAL_MACHINE, kRunKey, L"Kelvora", &machineWide);
    EXPECT_FALSE(machineWide);
}

TEST_F(SettingsDialog, InEnglishTheHelpTheBarAndTheDialogSpeakEnglish) {
    SaveSettingsFile(R"({ "language": "en-US" })");
    StartOmbrel(/*withNotice=*/true);
    HWND help = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        help = ::FindWindowW(L"OmbrelForm", L"Help");
        return help != nullptr && Visible(help);
    })) << "no English start-up notice";
    const HWND helpText = ::FindWindowExW(help, nullptr, L"Edit", nullptr);
    EXPECT_TRUE(driver::ControlText(helpText).starts_with(L"Ctrl+F1 to F9: switch desktops."));
    SaveScreenshot(L"help-en", help);
    ClickButton(help, L"OK");
    ASSERT_TRUE(WaitFor([&] { return !Visible(help); }));

    ASSERT_TRUE(PressFor({VK_CONTROL, VK_F2}, [this] { return BarCaption() == L"Desktop 2"; }));
    SaveScreenshot(L"bar-en", Bar());
    const HWND dialog = Open(L"Settings");
    EXPECT_NE(driver::FindChildButton(dialog, L"Start with Windows"), nullptr);
    SaveScreenshot(L"settings-en", dialog);
    ClickButton(dialog, L"Cancel");
    ASSERT_TRUE(WaitFor([&] { return Closed(dialog); }));
    ::DeleteFileW(SettingsFilePath().c_str());
}

TEST_F(SettingsDialog, CancelSavesNothing) {
    StartOmbrel();
    const HWND dialog = Open();
    TypeInto(Boxes(dialog)[2], L"C:\\three.bmp");
    ClickButton(dialog, L"取  消");
    ASSERT_TRUE(WaitFor([&] { return Closed(dialog); }));
    EXPECT_FALSE(Stored(L"WallPaper2"));
}

TEST_F(SettingsDialog, ApplyPutsTheCurrentDesktopsWallpaperOnTheScreenAndStaysOpen) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring picture = std::wstring(temp) + L"ombrel-sea.bmp";
    ASSERT_TRUE(driver::SaveScreenBmp(picture, RECT{0, 0, 32, 32}));
    PutString(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", L"");
    StartOmbrel();
    ASSERT_TRUE(SwitchTo(3));
    const HWND dialog = Open();
    TypeInto(Boxes(dialog)[2], picture);
    ClickButton(dialog, L"应  用");
    EXPECT_TRUE(WaitFor([&] {
        return ReadString(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper") == picture;
    })) << "the user's wallpaper did not change";
    EXPECT_TRUE(Visible(dialog));
    std::wstring value;
    EXPECT_TRUE(Stored(L"WallPaper2", &value));
    EXPECT_EQ(value, picture);
}

TEST_F(SettingsDialog, DefaultsThenOkDeletesAllElevenValues) {
    for (int index = 0; index < 9; ++index) {
        const std::wstring name = L"WallPaper" + std::to_wstring(index);
        PutString(HKEY_LOCAL_MACHINE, kSettingsKey, name.c_str(), L"C:\\w.bmp");
    }
    PutString(HKEY_LOCAL_MACHINE, kRunKey, L"Kelvora", WinePath(OMBREL_EXE_PATH));
    StartOmbrel();
    const HWND dialog = Open();
    ClickButton(dialog, L"缺省值");
    ASSERT_TRUE(WaitFor([&] { return driver::ControlText(Boxes(dialog)[8]).empty(); }));
    ClickButton(dialog, L"确  定");
    ASSERT_TRUE(WaitFor([&] { return Closed(dialog); }));
    for (int index = 0; index < 9; ++index) {
        const std::wstring name = L"WallPaper" + std::to_wstring(index);
        EXPECT_FALSE(Stored(name.c_str())) << "WallPaper" << index;
    }
    EXPECT_FALSE(Stored(L"NeverShowInfo"));
    bool found = true;
    ReadString(HKEY_LOCAL_MACHINE, kRunKey, L"Kelvora", &found);
    EXPECT_FALSE(found);
}

TEST_F(SettingsDialog, BrowsingThroughTheSystemsDialogFillsTheBoxAndCancellingKeepsIt) {
    // The dialog takes only a file that is there.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring picture = std::wstring(temp) + L"ombrel-browse.bmp";
    ASSERT_TRUE(driver::SaveScreenBmp(picture, RECT{0, 0, 32, 32}));
    StartOmbrel();
    const HWND dialog = Open();
    const std::vector<HWND> buttons = BrowseButtons(dialog);
    ASSERT_EQ(buttons.size(), 9U);
    const HWND box = Boxes(dialog)[4];

    ::PostMessageW(buttons[4], BM_CLICK, 0, 0);
    HWND chooser = WaitForOpenFileDialog();
    ASSERT_NE(chooser, nullptr);
    HWND name = ::GetDlgItem(chooser, 1152);  // the file name box of the classic dialog
    if (name == nullptr) {
        name = ::GetDlgItem(chooser, 1148);
    }
    ASSERT_NE(name, nullptr);
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
    ::PostMessageW(::GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return driver::ControlText(box) == picture; }))
        << "the box holds \"" << driver::Utf8(driver::ControlText(box)) << "\"";

    ::PostMessageW(buttons[4], BM_CLICK, 0, 0);
    chooser = WaitForOpenFileDialog();
    ASSERT_NE(chooser, nullptr);
    ::PostMessageW(::GetDlgItem(chooser, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(chooser); }));
    EXPECT_EQ(driver::ControlText(box), picture);
}

}  // namespace
}  // namespace ombrel::e2e
