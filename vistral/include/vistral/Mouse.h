// Mouse navigation: the camera variables and SetGLMouseMove.
#pragma once

#include "vistral/Types.h"
