// The engine window state variables and GLResizeWindow.
#pragma once

#include "vistral/Types.h"
