// The TGA file reader.
#pragma once

#include "vistral/Types.h"
