// GDI: device contexts, DIB sections, BMP loading, bitmaps, palettes, regions, brushes, BitBlt (platform/src/Gdi*)
#pragma once

#include "win32/Types.h"

// ---- Bitmaps ----------------------------------------------------------------------------
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

// Loads a BMP file (with LR_LOADFROMFILE) as a DIB section that keeps the file's bit
// depth, colour table and bottom-up rows padded to 4 bytes; 0 when it cannot.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// Copies the description of a GDI object (BITMAP for a bitmap); returns bytes written, 0 on failure.
int GetObjectA(HGDIOBJ object, int size, LPVOID out);
BOOL DeleteObject(HGDIOBJ object);
