#pragma once

#include <string_view>

#include "platform/Log.h"
#include "platform/ServiceManager.h"
#include "text/TextId.h"
#include "text/Texts.h"

namespace ombrel {

// The companion service whose life follows the program's.
inline constexpr std::u16string_view kCompanionServiceName = u"SampleQx3Service";

// Each hands one request to the service control manager and returns without waiting for the
// service: the error of the call that failed, if one did. Every handle opened is closed.
SystemError StartCompanionService(ServiceManager& services);
SystemError StopCompanionService(ServiceManager& services);

// One line for the request (ServiceStartRequest or ServiceStopRequest): sent, or why not.
void LogServiceRequest(Log& log, const Texts& texts, TextId request, SystemError error);

}  // namespace ombrel
