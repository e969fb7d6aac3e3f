// Draws a top-level window's visible child windows over its GL back buffer.
#pragma once

#include "WindowInternal.h"

namespace platform {

// Draws the children of Top (whose context must be current) into the back buffer,
// clipped by their window regions and their parents; every piece of GL state it
// touches is restored. Does nothing without visible children, in selection or
// feedback mode, or when the attribute stacks are full.
void CompositeChildren(Window& top);

} // namespace platform
