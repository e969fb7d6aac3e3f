// The shaped image button control: window class "IMAGEBUTTON", drawn from three BMP files.
#pragma once

#include "Win32.h"
#include "vistral/Types.h"

// Prefix (folder and base name) of the picture files of the next button created:
// BMPType + "N.BMP" (normal), + "H.BMP" (hover), + "P.BMP" (pressed).
// Points at the caller's zero-terminated text, which must stay alive until the
// button's creation returns; the names are copied then. Empty by default; a null
// pointer counts as empty.
extern const char* BMPType;

// Window procedure of the "IMAGEBUTTON" class.
LRESULT HoverButtonHandler(HWND Wnd, UINT IMsg, WPARAM WParam, LPARAM LParam);
