#include "win32/FormScale.h"

#include <cmath>

namespace ombrel::win32 {

// Where the window stands is in the screen's own pixels, the same unit on every screen; what
// lies inside it follows its DPI.
int ScreenPx(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerScreenPixel));
}

float ScreenTwips(LONG pixels) {
    return static_cast<float>(pixels) * kTwipsPerScreenPixel;
}

int FormScale::Px(float twips) const {
    return static_cast<int>(std::lround(twips * static_cast<float>(dpi_) / 1440.0F));
}

RECT FormScale::ControlRect(Form& form, const Control& control) const {
    float left = control.Left();
    float top = control.Top();
    // Controls inside a frame are children of the window too, offset by the frame's place.
    if (const std::u16string_view parent = control.Layout().parent; !parent.empty()) {
        const Control& frame = form.Controls(parent);
        left += frame.Left();
        top += frame.Top();
    }
    const ControlLayout& row = control.Layout();
    const int x = Px(left);
    const int y = Px(top);
    return {x, y, x + Px(static_cast<float>(row.widthTwips)),
            y + Px(static_cast<float>(row.heightTwips))};
}

}  // namespace ombrel::win32
