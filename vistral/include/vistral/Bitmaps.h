// Bitmap loading and bitmap-to-region.
#pragma once

#include "vistral/Types.h"
