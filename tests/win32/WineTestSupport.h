#pragma once

#include "DesktopDriver.h"

namespace ombrel::win32::testing {

using driver::WaitFor;
using driver::WinePath;

}  // namespace ombrel::win32::testing
