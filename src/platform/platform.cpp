#include "platform/platform.h"

#include <ctime>

namespace vx {

Platform* gPlatform = nullptr;

uint32_t Clock::CalendarSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }

uint32_t CalendarSecondsNow() {
  return gPlatform && gPlatform->clock ? gPlatform->clock->CalendarSeconds()
                                       : static_cast<uint32_t>(std::time(nullptr));
}

}  // namespace vx
