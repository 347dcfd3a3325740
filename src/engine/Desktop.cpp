#include "engine/Desktop.h"

namespace ombrel {

bool Desktop::Remove(std::span<const WindowHandle> windows) {
    return std::erase_if(windows_, [windows](WindowHandle window) {
               return std::find(windows.begin(), windows.end(), window) != windows.end();
           }) > 0;
}

bool Desktop::Enter(const StackingOrder& stacking, WindowVisibility& visibility,
                    WindowHandle onTop) const {
    std::vector<WindowHandle> entering = stacking.Sorted(windows_);
    if (const auto chosen = std::find(entering.begin(), entering.end(), onTop);
        chosen != entering.end()) {
        std::rotate(entering.begin(), chosen, chosen + 1);
    }
    return visibility.ShowAll(entering, WindowVisibility::Focus::Take);
}

}  // namespace ombrel
