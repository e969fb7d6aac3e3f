// The window procedure, the one-message pump and the key table.
//
// GLWndProc turns the GL window's messages into engine state the application polls
// once per frame: Active, the key table SetKey, the mouse camera (Mouse.h) and the
// client size (WindowState.h). SetGLMsg handles at most one queued message per call.
//
// Choices of this engine:
// - A key message whose code lies outside 0..500 leaves the key table alone (a release
//   still ends free-look); an odd wParam never stops the program.
// - WM_SYSCOMMAND with SC_SCREENSAVE or SC_MONITORPOWER is swallowed (returns 0 without
//   default processing), so the screen saver and monitor power-down do not blank a
//   running view; every other system command goes to default processing.
// - The frame-rate formula ForceFPS x 1000 x FPSCount / AddIntervalFPS is worked in
//   extended precision, so its product never wraps, and the result saturates to the
//   32-bit range instead of stopping with an overflow error: the rate is a display nicety
//   fed by a timer while the program runs, and its inputs grow at run time, so it must
//   never end the program. Within 32 bits the result is exactly the 32-bit formula's. A
//   zero interval shows the largest rate, or 1 when no frame was counted.
// - With ShowMenuBar on, a hook left null (CreateMouseMenu, GetInputCommand) is skipped.
#pragma once

#include "Win32.h"
#include "vistral/RangeCheck.h"
#include "vistral/Types.h"

#include <cstdint>
#include <string>

// Timer identifier the frame-rate title reacts to.
constexpr WPARAM FPS_TIMER = 1;
// Default counting interval in milliseconds (start value of AddIntervalFPS).
constexpr std::int32_t FPS_INTERVAL = 5000;
// Milliseconds per second in the rate formula.
constexpr std::int32_t FPS_ONE_SECOND = 1000;

// Lowest and highest virtual-key code the key table holds.
constexpr std::int32_t KEY_TABLE_LOW = 0;
constexpr std::int32_t KEY_TABLE_HIGH = 500;
// A held key's entry: true stored with all bits set.
constexpr std::int32_t KEY_DOWN = -1;
constexpr std::int32_t KEY_UP = 0;

// Key state by virtual-key code, KEY_DOWN while held.
using TKeyTable = vistral::RangeArray<std::int32_t, KEY_TABLE_LOW, KEY_TABLE_HIGH, "SetKey">;
extern TKeyTable SetKey;

// The message buffer of SetGLMsg.
extern MSG Msg_;
// A client's command handler, called on WM_COMMAND while ShowMenuBar is true; its result
// is ignored (start value null).
extern WNDPROC GetInputCommand;

// ---- Frame-rate title -------------------------------------------------------------------
// To show it, a client sets ViewFPS, starts a timer FPS_TIMER on HWindow with a period
// of AddIntervalFPS milliseconds and adds 1 to FPSCount per drawn frame.
extern bool ViewFPS;
// Frames counted in the current interval; after an update, the rate just shown.
extern std::int32_t FPSCount;
// Decimal text of the last rate shown.
extern std::string FPSCountStr;
// Factor applied to the measured rate, steered toward AddForceFPS (start value 1).
extern std::int32_t ForceFPS;
// Target rate; steering is on only above 1 (start value 0).
extern std::int32_t AddForceFPS;
// Counting interval in milliseconds (start value FPS_INTERVAL).
extern std::int32_t AddIntervalFPS;

// The window procedure of the "GLWindow" class.
LRESULT GLWndProc(HWND Window, UINT AMessage, WPARAM WParam, LPARAM LParam);
// Dispatches the first queued message, if any; returns at once when none waits.
void SetGLMsg();
// True while the key with virtual-key code (unsigned char)Key is held. Letters are asked
// for in upper case ('Z' is the Z key).
bool SetGLKey(char Key);
