// The optional status bar.
#pragma once

#include "vistral/Types.h"
