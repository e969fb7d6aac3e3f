// The shaped image button control: window class "IMAGEBUTTON", drawn from three BMP files.
//
// A client sets BMPType and creates a WS_CHILD window of the class with a control
// identifier. On creation the button loads BMPType + "N.BMP" (normal), "H.BMP" (hover) and
// "P.BMP" (pressed), takes the normal picture's size and clips itself to its non-magenta
// pixels (0x00FF00FF, tolerance 1). A left press and release on the shape posts
// WM_COMMAND(control identifier, 0) to the parent; lParam is 0, not the button's handle.
//
// The button is placed at (its screen left - parent's left - 3, its screen top - parent's
// top - 19) in the parent: for a parent with a 3-pixel frame and a 16-pixel caption, such
// as the GL window, it keeps its creation position.
//
// Per-button state lives in the window properties "NORMALBITMAP", "HOVERBITMAP",
// "PRESSBITMAP" (memory contexts holding each picture and its palette), "HOVERMODEBYTE"
// (1 normal, 2 hover, 3 pressed) and "HOVERBUTTONREGION" (the hit-test shape).
//
// Choices of this engine:
// - Without a normal picture the button keeps the size it was created with, is not
//   clipped, has no hit-test shape and ignores motion; a left press and release still
//   posts the command.
// - A picture file that cannot be loaded leaves its context with the context's own blank
//   bitmap; each picture gets its own palette (none for a missing file).
// - Destroying the button releases the three contexts together with the bitmaps and
//   palettes selected into them, and the hit-test region: nothing of it outlives it.
// - WM_PAINT in a state without a picture (only before creation completes or after
//   destruction) still validates the window, so no repaint is asked for endlessly.
#pragma once

#include "Win32.h"
#include "vistral/Types.h"

// Prefix (folder and base name) of the picture files of the next button created.
// Points at the caller's zero-terminated text, which must stay alive until the
// button's creation returns; the names are built from it then. Empty by default; a null
// pointer counts as empty.
extern const char* BMPType;

// Window procedure of the "IMAGEBUTTON" class. WM_CREATE, WM_DESTROY, WM_PAINT,
// WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP return 0; the rest go to DefWindowProcA.
LRESULT HoverButtonHandler(HWND Wnd, UINT IMsg, WPARAM WParam, LPARAM LParam);
