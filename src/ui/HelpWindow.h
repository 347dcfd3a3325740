#pragma once

#include "engine/HotkeyTable.h"
#include "settings/StoredSettings.h"
#include "ui/forms/Form.h"
#include "ui/forms/FormEvents.h"

namespace ombrel {

// The help window, which lists the hotkeys; at start-up it is the notice the user can turn off.
class HelpWindow final : public FormEvents {
  public:
    HelpWindow(Form& frmHelp, const StoredSettings& settings);

    // Shows the notice, modeless, unless "NeverShowInfo" holds exactly "Yes".
    void ShowStartupInfo();
    // The window lists these keys from now on.
    void ShowKeys(const KeyBindings& keys);
    // OK only hides the window; the next showing brings back the same one, where it was.
    void OnClick(std::u16string_view control, int index) override;

  private:
    Form& frmHelp_;
    const StoredSettings& settings_;
};

// The help text for the keys: the usual one for the 21 keys Ombrel has without a settings file,
// otherwise a line per key.
std::u16string KeysHelpText(const Texts& texts, const KeyBindings& keys);

}  // namespace ombrel
