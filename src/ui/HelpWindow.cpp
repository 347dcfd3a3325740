#include "ui/HelpWindow.h"

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

void HelpWindow::OnClick(std::u16string_view control, int /*index*/) {
    if (control == help::kOk) {
        frmHelp_.Hide();
    }
}

}  // namespace ombrel
