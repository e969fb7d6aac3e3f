// Bitmap loading and bitmap-to-region: GDI helpers for shaped, bitmap-drawn controls.
#pragma once

#include "Win32.h"
#include "vistral/Types.h"

// Loads a BMP file as a DIB section and makes a palette for it: the halftone palette
// for more than 8 bits per pixel, otherwise a 256-entry palette of the bitmap's colour
// table, entries past the table black. Returns the bitmap, or 0 when the file cannot
// be loaded (Pal is then left as it was). The caller owns both handles.
HBITMAP LoadBMPFromFile(const char* FileName, HPALETTE& Pal);

// Builds a region of every pixel of a BMP file whose colour lies outside the window
// TransColor .. TransColor + Tolerance (per channel, clamped at 255), one rectangle
// per opaque run of each row. Coordinates are the picture's: origin at the top-left
// pixel, y downwards. An image with no opaque pixel gives an empty region, not 0.
// Returns 0 when the file cannot be loaded or any working object or the rectangle
// buffer cannot be made; nothing it created is left behind then. The caller owns
// the region.
HRGN BitmapToRegion(const char* BMPName, COLORREF TransColor, BYTE Tolerance);
