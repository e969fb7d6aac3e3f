// GDI: device contexts, DIB sections, BMP loading, bitmaps, palettes, regions, brushes, BitBlt
// (platform/src/Gdi*)
#pragma once

#include "win32/Types.h"

#include <cstddef>

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

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

// The header followed by the colour table (or, for BI_BITFIELDS, the three masks).
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

// Loads a BMP file (with LR_LOADFROMFILE) as a DIB section that keeps the file's bit
// depth, colour table and bottom-up rows padded to 4 bytes; 0 when it cannot.
// - Read: 1, 4, 8, 16, 24 and 32 bits per pixel, BI_RGB, RLE8, RLE4, BI_BITFIELDS,
//   top-down files, the 12-byte OS/2 core header and the 40..124-byte info headers.
// - A top-down file is turned over, so bmBits always holds the bottom row first.
// - RLE images are expanded to 8 or 4 bits per pixel; pixels the RLE data skips are index 0.
// - 32-bit BI_BITFIELDS images are rearranged to blue, green, red, alpha bytes (alpha from
//   the header's alpha mask, 255 when it has none); 16-bit ones keep their own masks.
// - Without LR_CREATEDIBSECTION the result is a DIB section all the same.
// - LR_LOADTRANSPARENT alters only images with a colour table: the table entry of the
//   first pixel in memory (bottom-left) becomes the window colour, GetSysColor(COLOR_WINDOW).
// - cx and cy must be 0 (images load at their own size); no resources: the name is a file.
// - A malformed, truncated or hostile file gives 0; so do sizes above 64 MiB of pixels.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// Copies the description of a GDI object: BITMAP for a bitmap (bmBits valid for DIB
// sections, bmHeight always positive), the WORD entry count for a palette. Returns the
// bytes written (or, with a null Out, the bytes needed), 0 on failure. Size must hold the
// whole record: sizeof(BITMAP), which is 32 bytes on 64-bit builds, not 24.
int GetObjectA(HGDIOBJ object, int size, LPVOID out);
// Releases a bitmap, palette, region, brush. Fails (FALSE) for a bad handle and for a
// bitmap or palette still selected into a device context; stock objects stay (TRUE).
BOOL DeleteObject(HGDIOBJ object);
// A zero-filled DIB section (1, 4, 8, 16, 24, 32 bits; BI_RGB or BI_BITFIELDS for 16/32)
// with the colour table of Info; a negative height makes it top-down. Only DIB_RGB_COLORS
// and no file mapping (section 0). *Bits receives the pixel memory. 0 on failure.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// Reads Count colour-table entries from Start of the DIB section selected into Dc; returns
// how many were copied (0 when the bitmap has no colour table).
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors);
// Writes colour-table entries of the DIB section selected into Dc; returns how many.
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors);

// ---- Device contexts --------------------------------------------------------------------
// A memory device context; it starts with a 1 by 1 monochrome stock bitmap selected.
// Dc may be 0 (the screen) or any live DC.
HDC CreateCompatibleDC(HDC dc);
// Deletes a memory DC; what was selected into it stays alive. FALSE for window DCs.
BOOL DeleteDC(HDC dc);
// Selects a bitmap or brush into a DC and returns the previous one, 0 on failure. A bitmap
// can be selected into one memory DC at a time; window DCs take no bitmap.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Copies a Width x Height block between DCs (memory DCs and child-window DCs), converting
// pixel formats; to a paletted bitmap each colour goes to the nearest table entry. The
// block is clipped to the source and the destination; pixels outside stay as they were.
// Supports SRCCOPY, BLACKNESS and WHITENESS. FALSE for bad DCs or a DC with no pixels.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);

// ---- Palettes ---------------------------------------------------------------------------
struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct LOGPALETTE {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
};

constexpr WORD PALETTE_VERSION = 0x300;

// A logical palette of the entries of Palette (version 0x300, 1 or more entries); 0 on failure.
HPALETTE CreatePalette(const LOGPALETTE* palette);
// The 256-entry halftone palette (20 static colours, a 6x6x6 colour cube, grey ramp).
HPALETTE CreateHalftonePalette(HDC dc);
// Selects a palette into a DC; returns the previous one (DEFAULT_PALETTE at first), 0 on failure.
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
// Our displays are true colour: realising maps nothing; returns the selected palette's entry
// count, GDI_ERROR for a bad DC.
UINT RealizePalette(HDC dc);
// Copies entries of a palette; with a null Entries returns the palette's entry count.
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);

constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// ---- Regions ----------------------------------------------------------------------------
// Rectangles are half-open: right and bottom are outside.
struct RGNDATAHEADER {
    DWORD dwSize;
    DWORD iType;
    DWORD nCount;
    DWORD nRgnSize;
    RECT rcBound;
};

struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

struct XFORM {
    float eM11;
    float eM12;
    float eM21;
    float eM22;
    float eDx;
    float eDy;
};

constexpr DWORD RDH_RECTANGLES = 1;

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Results of region operations.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
// A rectangular region; swapped corners are put in order.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
// A region from RGNDATA: dwSize 32, iType RDH_RECTANGLES, nCount rectangles that must
// fit in Count bytes; empty rectangles are skipped. Transform must be null or the identity.
// 0 on failure.
HRGN ExtCreateRegion(const XFORM* transform, DWORD count, const RGNDATA* data);
// Dest := Src1 op Src2 (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY copies Src1). Dest may
// be one of the sources. Returns NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
// Whether (X, Y) lies in the region; FALSE for a bad handle.
BOOL PtInRegion(HRGN region, int x, int y);
// The bounding box of a region; returns the region's kind, ERROR for a bad handle.
int GetRgnBox(HRGN region, RECT* box);
// Moves a region; returns its kind, ERROR for a bad handle.
int OffsetRgn(HRGN region, int dx, int dy);

// ---- Brushes and system colours ---------------------------------------------------------
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int DEFAULT_PALETTE = 15;

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;

// A stock object: brushes WHITE_BRUSH..NULL_BRUSH, DEFAULT_PALETTE; 0 for others.
// Stock objects are never deleted.
HGDIOBJ GetStockObject(int object);
// The classic colour scheme's colour of a COLOR_ index (0 for an unknown index).
DWORD GetSysColor(int index);
// A shared brush of a system colour (never deleted); 0 for an unknown index.
HBRUSH GetSysColorBrush(int index);
// A solid brush of a colour; the caller deletes it.
HBRUSH CreateSolidBrush(COLORREF color);
// Fills a rectangle of a DC's pixels with a brush (a null brush paints nothing). As on the
// platform, COLOR_xxx + 1 stands for the system colour brush. Returns nonzero on success.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// ---- Leak checks ------------------------------------------------------------------------
// Live GDI objects a program created and has not released: bitmaps, palettes, regions,
// brushes and memory DCs. Stock objects, system-colour brushes and window DCs are not
// counted.
std::size_t GdiObjectCount();
