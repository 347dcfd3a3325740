#include "ui/HelpWindow.h"

#include "platform/Text.h"
#include "ui/layouts/HelpWindowLayout.h"

namespace ombrel {

HelpWindow::HelpWindow(Form& frmHelp, const StoredSettings& settings)
    : frmHelp_(frmHelp), settings_(settings) {
    frmHelp_.SetEvents(*this);
}

void HelpWindow::ShowStartupInfo() {
    if (settings_.SkipNotice()) {
        return;
    }
    frmHelp_.Show();
}

void HelpWindow::ShowKeys(const KeyBindings& keys) {
    frmHelp_.Controls(help::kText).SetText(KeysHelpText(keys));
}

namespace {

std::u16string Described(const Command& command) {
    using Kind = Command::Kind;
    using Target = Command::Target;
    const std::u16string desktop = u"桌面" + DecimalText(command.desktop + 1);
    const auto where = [&]() -> std::u16string {
        switch (command.target) {
            case Target::Next:
                return u"下一个桌面";
            case Target::Previous:
                return u"上一个桌面";
            case Target::Last:
                return u"上一次所在的桌面";
            case Target::Desktop:
                break;
        }
        return desktop;
    };
    switch (command.kind) {
        case Kind::Switch:
            return u"切换到" + where();
        case Kind::Send:
            return u"把当前窗口送到" + where();
        case Kind::Move:
            return u"把当前窗口送到" + where() + u"并切换过去";
        case Kind::ToggleDesktopIcons:
            return u"显示/隐藏桌面图标";
        case Kind::ToggleTaskbar:
            return u"显示/隐藏任务栏";
        case Kind::ToggleBar:
            return u"显示/隐藏软件界面";
        case Kind::Pause:
            return u"暂停/恢复热键";
        case Kind::Pin:
            return u"让当前窗口留在每个桌面上";
        case Kind::Unpin:
            return u"让当前窗口只留在当前桌面上";
        case Kind::PinToggle:
            return u"让当前窗口留在每个桌面上，或取消";
        case Kind::Exit:
            return u"退出";
    }
    return {};
}

}  // namespace

std::u16string KeysHelpText(const KeyBindings& keys) {
    if (keys == DescribedKeyBindings()) {
        return std::u16string(kHelpText);
    }
    std::u16string text;
    for (const KeyBinding& key : keys) {
        text += u"按" + key.name + Described(key.command) + u"。\r\n";
    }
    return text;
}

void HelpWindow::OnClick(std::u16string_view control, int /*index*/) {
    if (control == help::kOk) {
        frmHelp_.Hide();
    }
}

}  // namespace ombrel
