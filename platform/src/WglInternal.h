// What the window tree tells the GL side.
#pragma once

#include "win32/Types.h"

namespace platform {

// A window is being freed: a context current on it is released, so that later GL calls
// have no drawable to reach.
void WglWindowGone(HWND window);

} // namespace platform
