// The TGA texture slots.
#pragma once

#include "vistral/Types.h"
