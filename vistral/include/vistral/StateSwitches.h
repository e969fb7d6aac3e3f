// The light and the render-state switches (two-sided lighting, culling, sprites).
#pragma once

#include "vistral/Types.h"
