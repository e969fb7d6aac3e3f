// The engine's default 3D GL state, its perspective projection and the 2D overlay mode.
#pragma once

#include "vistral/Types.h"
