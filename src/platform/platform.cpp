#include "platform/platform.h"

namespace vx {

Platform* gPlatform = nullptr;

}  // namespace vx
