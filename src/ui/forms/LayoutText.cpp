#include "ui/forms/LayoutText.h"

#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {

std::u16string LayoutText::Resolve(const Texts& texts) const {
    if (!id_) {
        return std::u16string(fixed_);
    }
    if (!number_) {
        return std::u16string(texts.Text(*id_));
    }
    const std::u16string number = DecimalText(*number_);
    return texts.Format(*id_, {number});
}

}  // namespace ombrel
