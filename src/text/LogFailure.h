#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/Log.h"
#include "platform/SystemError.h"
#include "text/TextId.h"
#include "text/Texts.h"

namespace ombrel {

// Writes a failure to the log in the words of its text, the error's code taking the mark after
// the given arguments: LogFailure(log, texts, TextId::HotkeyNotRegistered, error, {name}) for a
// text whose last mark, {2}, takes the code. Nothing is written for a call that succeeded.
void LogFailure(Log& log, const Texts& texts, TextId text, SystemError error,
                std::initializer_list<std::u16string_view> arguments = {}) noexcept;

}  // namespace ombrel
