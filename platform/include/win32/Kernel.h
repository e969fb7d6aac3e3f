// Kernel services: tick count, movable global memory, files (platform/src/Kernel*)
#pragma once

#include "win32/Types.h"
