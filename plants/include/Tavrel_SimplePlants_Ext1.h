// Tavrel_SimplePlants_Ext1: the fractal tree extension of the Vistral engine.
#pragma once

#include "vistral/Types.h"

#include <cstdint>

// The generator's random stream: one process-wide MT19937, seeded with 0 on the
// first draw and never reseeded. Each draw is the next output / 2^32, in [0, 1).
double PlantsRandom();
// How many draws the stream has handed out since the process started.
std::uint64_t PlantsRandomDraws();
