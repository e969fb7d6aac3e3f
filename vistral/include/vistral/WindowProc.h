// The window procedure, the one-message pump and the key table.
#pragma once

#include "vistral/Types.h"
