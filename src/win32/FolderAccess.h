#pragma once

#include <string>

namespace ombrel::win32 {

// Whether anybody but the administrators and the system may put files into the folder or
// change it, as its access list grants; true where the list cannot be read or there is none.
bool WritableByOthersThanAdministrators(const std::wstring& folder) noexcept;

}  // namespace ombrel::win32
