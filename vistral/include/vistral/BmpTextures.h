// BMP textures and the BMP texture slots.
#pragma once

#include "vistral/Types.h"
