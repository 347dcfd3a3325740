#include "ui/HelpWindow.h"

#include "platform/Text.h"
#include "text/Texts.h"
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
    frmHelp_.Controls(help::kText).SetText(KeysHelpText(frmHelp_.TextsInForce(), keys));
}

namespace {

std::u16string Described(const Texts& texts, const Command& command) {
    using Kind = Command::Kind;
    using Target = Command::Target;
    const auto where = [&]() -> std::u16string {
        switch (command.target) {
            case Target::Next:
                return std::u16string(texts.Text(TextId::HelpNextDesktop));
            case Target::Previous:
                return std::u16string(texts.Text(TextId::HelpPreviousDesktop));
            case Target::Last:
                return std::u16string(texts.Text(TextId::HelpLastDesktop));
            case Target::Desktop:
                break;
        }
        return texts.Format(TextId::HelpDesktop, {DecimalText(command.desktop + 1)});
    };
    switch (command.kind) {
        case Kind::Switch:
            return texts.Format(TextId::HelpSwitchTo, {where()});
        case Kind::Send:
            return texts.Format(TextId::HelpSendTo, {where()});
        case Kind::Move:
            return texts.Format(TextId::HelpMoveTo, {where()});
        case Kind::ToggleDesktopIcons:
            return std::u16string(texts.Text(TextId::HelpToggleDesktopIcons));
        case Kind::ToggleTaskbar:
            return std::u16string(texts.Text(TextId::HelpToggleTaskbar));
        case Kind::ToggleBar:
            return std::u16string(texts.Text(TextId::HelpToggleBar));
        case Kind::Pause:
            return std::u16string(texts.Text(TextId::HelpPause));
        case Kind::Pin:
            return std::u16string(texts.Text(TextId::HelpPin));
        case Kind::Unpin:
            return std::u16string(texts.Text(TextId::HelpUnpin));
        case Kind::PinToggle:
            return std::u16string(texts.Text(TextId::HelpPinToggle));
        case Kind::Exit:
            return std::u16string(texts.Text(TextId::HelpExit));
        case Kind::Find:
            return std::u16string(texts.Text(TextId::HelpFind));
        case Kind::GoToWindow:
        case Kind::SendWindow:
        case Kind::BringWindow:
            break;  // the mouse's and the command line's alone: no key is bound to them
    }
    return {};
}

}  // namespace

std::u16string KeysHelpText(const Texts& texts, const KeyBindings& keys) {
    if (keys == DescribedKeyBindings()) {
        return std::u16string(texts.Text(TextId::UsualKeysHelp));
    }
    std::u16string text;
    for (const KeyBinding& key : keys) {
        text += texts.Format(TextId::KeyHelpLine, {key.name, Described(texts, key.command)});
    }
    return text;
}

void HelpWindow::OnClick(std::u16string_view control, int /*index*/) {
    if (control == help::kOk) {
        frmHelp_.Hide();
    }
}

}  // namespace ombrel
