// Colour sets shared by the palette services and the stock objects.
#pragma once

#include "win32/Gdi.h"

#include <vector>

namespace platform {

// The 20 static colours of a palette display: 10 at the start and 10 at the end.
std::vector<PALETTEENTRY> StaticPaletteColours();

} // namespace platform
