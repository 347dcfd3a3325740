// Drives the desktop engine on the in-memory desktop and prints what a user would see.
#include <iostream>
#include <string>

#include "FakePlatform.h"
#include "engine/HotkeyTable.h"
#include "shell/Program.h"
#include "ui/layouts/MainWindowLayout.h"

namespace {

using ombrel::WindowHandle;
using ombrel::fakes::FakeDesktop;
using ombrel::fakes::FakePlatform;

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void PrintScreen(FakePlatform& fake, ombrel::Program& program) {
    std::cout << "  bar: \"" << Narrow(program.frmMain().Caption()) << "\""
              << (program.frmMain().Visible() ? "" : " (hidden)") << "; visible windows:";
    for (WindowHandle window : fake.desktop.VisibleWindows()) {
        const auto& w = fake.desktop.Get(window);
        if (!w.title.empty() && window != program.frmMain().hWnd()) {
            std::cout << " [" << Narrow(w.title) << "]";
        }
    }
    std::cout << "\n";
}

void Press(FakePlatform& fake, const char* keys, int hotkeyId) {
    const ombrel::HotkeyRow& row = ombrel::kHotkeyTable.at(static_cast<std::size_t>(hotkeyId));
    std::cout << "press " << keys << "\n";
    fake.desktop.PressHotkey(row.modifiers, row.virtualKey);
}

}  // namespace

int main() {
    FakePlatform fake;
    fake.desktop.OpenWindow({.className = u"ProgMan", .title = u"Program Manager"});
    fake.desktop.OpenWindow({.className = u"Shell_TrayWnd", .title = u"taskbar"});
    const WindowHandle mail = fake.desktop.OpenWindow({.title = u"mail"});
    fake.desktop.OpenWindow({.title = u"editor"});

    ombrel::Program program(fake.platform, fake.texts);
    program.Start();
    std::cout << "start: desktop 1 holds " << program.Engine().AllDesktops()[0].Windows().size()
              << " windows\n";
    PrintScreen(fake, program);

    Press(fake, "Ctrl+F2", 1);
    PrintScreen(fake, program);
    std::cout << "open a browser on desktop 2, one second passes\n";
    fake.desktop.OpenWindow({.title = u"browser"});
    program.frmMain().RaiseTimer(ombrel::bar::kRefreshTimer);
    PrintScreen(fake, program);

    Press(fake, "Ctrl+F1", 0);
    PrintScreen(fake, program);
    std::cout << "mail is active\n";
    fake.desktop.SetForeground(mail);
    Press(fake, "Ctrl+Alt+F3", 14);
    PrintScreen(fake, program);
    Press(fake, "Ctrl+F11", 10);
    PrintScreen(fake, program);
    Press(fake, "Ctrl+F2", 1);
    PrintScreen(fake, program);

    std::cout << "click 退出 (exit)\n";
    program.frmMain().RaiseClick(ombrel::bar::kExit);
    std::cout << "  visible windows after exit:";
    for (WindowHandle window : fake.desktop.VisibleWindows()) {
        std::cout << " [" << Narrow(fake.desktop.Get(window).title) << "]";
    }
    std::cout << "\n  process ended: " << (fake.forms.ProcessEnded() ? "yes" : "no") << "\n";
    return 0;
}
