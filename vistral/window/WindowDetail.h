// Private seams between the window layer's files; not part of the public interface.
#pragma once

#include "Win32.h"

#include <cstdint>
#include <string>

namespace vistral::detail {

// Applies one mouse message (button or motion) of the GL window to the camera.
void GLMouseMessage(UINT AMessage, LPARAM LParam);

// One frame-rate update: turns FPSCount into the rate, steers ForceFPS, sets the title.
void GLFrameRateUpdate();

// The rate for Count frames in an interval of IntervalMs, scaled by Force: rounded half
// to even and saturated to the 32-bit range (a zero interval saturates too).
std::int32_t FrameRate(std::int32_t Force, std::int32_t Count, std::int32_t IntervalMs);

// The title shown with a rate: Name, " - FPS [", Rate, "]".
std::string FrameRateTitle(const char* Name, std::int32_t Rate);

} // namespace vistral::detail

namespace vistral::detail {

// The pixel-format request WindowInit makes for a colour depth and extra flags.
PIXELFORMATDESCRIPTOR GLWindowPixelFormat(std::int32_t bits, std::int32_t extraFlags);

} // namespace vistral::detail
