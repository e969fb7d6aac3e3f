// Pixel formats, GL contexts and the buffer swap (platform/src/Wgl*, Sdl*)
#pragma once

#include "win32/Types.h"
