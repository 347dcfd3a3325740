#include "win32/FormDrawing.h"

#include <algorithm>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {
namespace {

constexpr int kMarkerPenPixels = 2;
// The dot beneath a marked control: its width, and how far below the control its middle lies.
constexpr float kMarkDotTwips = 75;
constexpr float kMarkDotDropTwips = 52;

}  // namespace

void DrawShapesAndMarks(HDC dc, Form& form, const FormScale& scale) {
    // The buttons, being children, lie above what is drawn here.
    const HBRUSH brush = ::GetSysColorBrush(COLOR_ACTIVECAPTION);
    for (const Control& control : form.AllControls()) {
        if (control.Layout().kind != ControlKind::Shape) {
            continue;
        }
        RECT outer = scale.ControlRect(form, control);
        for (int ring = 0; ring < kMarkerPenPixels; ++ring) {
            ::FrameRect(dc, &outer, brush);
            ::InflateRect(&outer, -1, -1);
        }
    }
    // A marked control has a dot beneath it in the colour the system highlights with.
    const ScopedSelection noPen(dc, ::GetStockObject(NULL_PEN));
    const ScopedSelection highlight(dc, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    const int diameter = std::max(scale.Px(kMarkDotTwips), 4);
    for (const Control& control : form.AllControls()) {
        if (!control.Marked()) {
            continue;
        }
        const RECT rect = scale.ControlRect(form, control);
        const int middleX = (rect.left + rect.right) / 2;
        const int middleY = rect.bottom + scale.Px(kMarkDotDropTwips);
        // Ellipse leaves out the right and bottom edges: one more each way.
        ::Ellipse(dc, middleX - diameter / 2, middleY - diameter / 2,
                  middleX - diameter / 2 + diameter + 1, middleY - diameter / 2 + diameter + 1);
    }
}

}  // namespace ombrel::win32
