// The GL window life cycle: classes, window, pixel format, context.
#pragma once

#include "vistral/Types.h"
