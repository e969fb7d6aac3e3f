// Common controls: the status window (platform/src/StatusWindow*)
#pragma once

#include "win32/Types.h"
