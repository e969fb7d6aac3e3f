// Vector and matrix math: GLVector, DegToRad, Euler matrices, FindNormal.
#pragma once

#include "vistral/Types.h"
