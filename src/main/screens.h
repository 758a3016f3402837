// The eleven global screen objects. They live for the whole run.
#pragma once

namespace vx {

// Points g.screens at the global screen objects.
void InstallScreens();

}  // namespace vx
