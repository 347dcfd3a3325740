#include "ui/HelpWindow.h"

#include "settings/SettingsStore.h"

namespace ombrel {

HelpWindow::HelpWindow(Form& frmHelp, clsReg& SettingsReg)
    : frmHelp_(frmHelp), SettingsReg_(SettingsReg) {
    frmHelp_.SetEvents(*this);
}

void HelpWindow::ShowStartupInfo() {
    SettingsReg_.SetKeyName(std::u16string(kNeverShowInfoValueName));
    SettingsReg_.GetValue();
    if (SettingsReg_.KeyValue() == kNeverShowInfoYes) {
        return;
    }
    frmHelp_.Show();
}

void HelpWindow::OnClick(std::u16string_view control, int /*index*/) {
    if (control == u"cmdOk") {
        frmHelp_.Hide();
    }
}

}  // namespace ombrel
