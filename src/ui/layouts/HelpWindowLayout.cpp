#include "ui/layouts/HelpWindowLayout.h"

#include <array>

namespace ombrel {
namespace {

using enum ControlKind;

constexpr std::array kControls{
    ControlLayout{.name = help::kOk,
                  .caption = u"OK",
                  .leftTwips = 960,
                  .topTwips = 1200,
                  .widthTwips = 855,
                  .heightTwips = 375,
                  .tabIndex = 1},
    ControlLayout{.name = help::kText,
                  .kind = TextBox,
                  .caption = TextId::UsualKeysHelp,
                  .leftTwips = 60,
                  .topTwips = 120,
                  .widthTwips = 2775,
                  .heightTwips = 915,
                  .tabIndex = 0,
                  .multiLine = true,
                  .readOnly = true},
};

constexpr FormLayout kHelpWindow{
    .name = u"frmHelp",
    .caption = TextId::HelpCaption,
    .clientWidthTwips = 2910,
    .clientHeightTwips = 1740,
    .placement = FormPlacement::CenterScreen,
    .icon = FormIcon::Bar,
    .closeBox = false,
    .controls = kControls,
};

}  // namespace

const FormLayout& HelpWindowLayout() {
    return kHelpWindow;
}

}  // namespace ombrel
