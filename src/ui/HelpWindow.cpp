#include "ui/HelpWindow.h"

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
    if (control == u"cmdOk") {
        frmHelp_.Hide();
    }
}

}  // namespace ombrel
