// Windows, classes, messages, input, cursors, icons, message boxes, properties, painting (platform/src/User*, Sdl*)
#pragma once

#include "win32/Types.h"
