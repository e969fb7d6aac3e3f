// Mouse navigation: the camera variables and SetGLMouseMove.
//
// GLWndProc turns button and motion messages into these variables: a left drag turns
// the view (XRot, YRot), a right drag moves it nearer or farther (Depth), and free-look
// (MouseFree, set by a client) turns it from every motion while pinning the cursor.
// Once per frame the application calls SetGLMouseMove, which stores the speed factor
// and applies the camera to the current GL matrix. Every camera change is multiplied
// by MSpeed, so nothing moves before the first SetGLMouseMove call. Offsets are 32-bit
// differences; one that cannot be (only with absurd anchors or sizes set by a client)
// stops the program with an overflow error.
#pragma once

#include "Win32.h"
#include "vistral/Types.h"

#include <cstdint>

// Axis choices for SetGLMouseMove.
constexpr std::int32_t GL_M0 = 0;
constexpr std::int32_t GL_MX = 1;
constexpr std::int32_t GL_MY = 2;
constexpr std::int32_t GL_MZ = 3;

// Divisors and limits of the camera arithmetic.
constexpr double LEFT_DRAG_DIVISOR = 2.0;
constexpr double RIGHT_DRAG_DIVISOR = 10.0;
constexpr double FREE_LOOK_DIVISOR = 100.0;
constexpr double FREE_LOOK_PITCH_MAX = 60.0;
constexpr double FREE_LOOK_PITCH_MIN = -60.0;

// Left button held: left drags turn the view.
extern bool LeftMouseDown;
// Right button held: right drags change Depth.
extern bool RightMouseDown;
// Free-look mode; a client turns it on, any key release turns it off.
extern bool MouseFree;
// Follow LeftMouseDown and RightMouseDown, for client code.
extern bool LeftMouseDown2;
extern bool RightMouseDown2;
// Camera distance; SetGLMouseMove translates by -Depth.
extern float Depth;
// Changed exactly like Depth, for client code.
extern float Depth2;
// The two camera angles in degrees.
extern float XRot;
extern float YRot;
// Changed exactly like XRot and YRot, for client code.
extern float XRot2;
extern float YRot2;
// Anchor of the left drag, client coordinates.
extern std::int32_t XCoord;
extern std::int32_t YCoord;
// Anchor y of the right drag.
extern std::int32_t ZCoord;
// Cursor position in screen coordinates, read in free-look mode.
extern POINT MPos;
// Speed factor stored by every SetGLMouseMove call.
extern std::int32_t MSpeed;
// Client position of the last left press; 0 after the release.
extern std::int32_t SetMX;
extern std::int32_t SetMY;
// Client position of the latest motion.
extern std::int32_t SetOMX;
extern std::int32_t SetOMY;
// The translation applied by the latest SetGLMouseMove call.
extern TGLVector My;

// Stores Speed in MSpeed and applies the camera chosen by XYZ (GL_M0..GL_MZ) to the
// current GL matrix: one translation and two rotations, nothing pushed or loaded. Any
// other XYZ only stores the speed.
void SetGLMouseMove(std::int32_t XYZ, std::int32_t Speed);
