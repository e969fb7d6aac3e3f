// Sphere and segment primitives, and the empty callback ProcNull.
#pragma once

#include "vistral/Types.h"
