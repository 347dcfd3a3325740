#include "text/LogFailure.h"

#include <string>
#include <vector>

#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {

void LogFailure(Log& log, const Texts& texts, TextId text, SystemError error,
                std::initializer_list<std::u16string_view> arguments) noexcept {
    if (!error.Failed()) {
        return;
    }
    try {
        const std::u16string code = DecimalText(error.Code());
        std::vector<std::u16string_view> all(arguments);
        all.push_back(code);
        log.Write(texts.Format(text, all));
    } catch (...) {
        // Out of memory for the line: the log is where it would have gone.
    }
}

}  // namespace ombrel
