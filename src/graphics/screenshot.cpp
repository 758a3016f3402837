#include "graphics/graphics.h"

namespace vx {

void Graphics::Screenshot() {}

}  // namespace vx
