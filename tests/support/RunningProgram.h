#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakePlatform.h"
#include "QuietDesktop.h"
#include "engine/HotkeyTable.h"
#include "shell/Program.h"
#include "ui/layouts/HelpWindowLayout.h"
#include "ui/layouts/MainWindowLayout.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel::testing {

// A fake desktop with the shell's windows, and the program started on it.
class RunningProgram : public ::testing::Test {
  protected:
    static constexpr fakes::ThreadId kAppThread = 7;

    void SetUp() override {
        // Most tests want a quiet start; the notice's own tests take the setting away.
        const ShellWindowHandles shell = PrepareQuietDesktop(fake);
        progMan = shell.progMan;
        trayWnd = shell.trayWnd;
    }

    static constexpr std::u16string_view kRunKeyPath =
        u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

    // Opens an ordinary window of another program; it becomes the foreground window.
    WindowHandle OpenApp(fakes::ThreadId thread = kAppThread) {
        const WindowHandle window =
            fake.desktop.OpenWindow({.className = u"Notepad", .thread = thread});
        fake.desktop.SetForeground(window);
        return window;
    }

    void StartProgram() {
        program = std::make_unique<Program>(fake.platform, fake.texts);
        program->Start();
    }

    Form& Bar() { return program->frmMain(); }
    DesktopEngine& Engine() { return program->Engine(); }
    // The program's own hidden window, which holds the keys and hears the notices.
    WindowHandle ProgramWindow() { return program->Window().Handle(); }
    void Tick() { Bar().RaiseTimer(bar::kRefreshTimer); }
    void Click(std::u16string_view control, int index = kNoIndex) {
        Bar().RaiseClick(control, index);
    }
    // Presses Ctrl (+Alt) + F-key through the hotkey table, as the user would.
    bool Press(int hotkeyId) {
        const HotkeyRow& row = kHotkeyTable.at(static_cast<std::size_t>(hotkeyId));
        return fake.desktop.PressHotkey(row.modifiers, row.virtualKey);
    }
    bool Visible(WindowHandle window) { return fake.desktop.IsWindowVisible(window); }
    const WindowSet& Set(int index) { return Engine().AllDesktops()[index].Windows(); }

    fakes::FakePlatform fake;
    WindowHandle progMan{};
    WindowHandle trayWnd{};
    std::unique_ptr<Program> program;
};

}  // namespace ombrel::testing
