// GDI: device contexts, DIB sections, BMP loading, bitmaps, palettes, regions, brushes, BitBlt (platform/src/Gdi*)
#pragma once

#include "win32/Types.h"
