#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ServiceManager.h"

namespace ombrel {

// The companion service whose life follows the program's.
inline constexpr std::u16string_view kCompanionServiceName = u"SampleQx3Service";

// Each hands one request to the service control manager and returns without waiting for the
// service: 0, or the system error code of the call that failed. Every handle opened is closed.
std::int32_t StartCompanionService(ServiceManager& services);
std::int32_t StopCompanionService(ServiceManager& services);

}  // namespace ombrel
