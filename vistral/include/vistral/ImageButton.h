// The shaped image button control.
#pragma once

#include "vistral/Types.h"
