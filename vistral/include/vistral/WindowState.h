// The engine window state variables and GLResizeWindow.
//
// The window life cycle fills these, the window procedure updates them, and the
// GL set-up and the mouse navigation read them directly. All start at zero, false
// or null unless noted.
#pragma once

#include "Win32.h"
#include "vistral/Types.h"

#include <cstdint>

// The GL window.
extern HWND HWindow;
// The window's device context, kept from creation until the window is deleted.
extern HDC DCWindow;
// The GL rendering context made current on the window.
extern HGLRC RCWindow;
// Window size in pixels: first the requested size, then the client size of every WM_SIZE.
// Stored as given, 0 by 0 included (a minimised window); GLSetup.h says what the GL
// set-up makes of a size without area.
extern std::int32_t Width;
extern std::int32_t Height;
// Colour-depth request, 0 to 255.
extern std::int32_t Bits;
// Full-screen request.
extern bool FullScreen;
// True while the window lives; the demo's main loop runs while it is true.
extern bool Active;
// The title given at creation; not copied, so the caller's text must outlive the window.
extern const char* SetTitleName;
// Enables the menu procedures below (start value false); assign both before setting it.
extern bool ShowMenuBar;
// Called once after the window is created, when ShowMenuBar is true (start value null).
extern TavrelProcedure CreateMenuBar;
// Called on WM_CONTEXTMENU, when ShowMenuBar is true (start value null).
extern TavrelProcedure CreateMouseMenu;
// Makes window creation add the status bar (start value false).
extern bool ShowStatusBar;
// The status bar; 0 when there is none.
extern HWND HStatus;

// Records a new client size: Width := W, Height := H. No GL call and no lower bound;
// viewport and projection follow at the next OpenGL_Init or OpenGL_I2D.
void GLResizeWindow(std::int32_t W, std::int32_t H);
