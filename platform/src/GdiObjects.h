// The GDI object store: bitmaps (DIB sections), palettes, regions, brushes and DCs,
// each in its own handle table, shared by the Gdi*, Bmp*, Palette* and Region* files.
#pragma once

#include "GdiDib.h"
#include "GdiInternal.h"
#include "HandleTable.h"
#include "win32/Gdi.h"

#include <cstdint>
#include <vector>

namespace platform {

struct GdiBitmap {
    Dib Image;
    HDC SelectedInto = 0;
    bool Stock = false;
};

struct GdiPalette {
    std::vector<PALETTEENTRY> Entries;
    int SelectCount = 0;
    bool Stock = false;
};

// Rectangles kept in y-x bands: disjoint, sorted by top then left, half-open.
struct GdiRegion {
    std::vector<RECT> Rects;
};

struct GdiBrush {
    bool Null = false;
    COLORREF Color = 0;
    bool Stock = false;
};

struct GdiDc {
    bool WindowDc = false;           // made by GdiCreateWindowDC
    HWND Window = 0;                 // nonzero for a window DC
    PixelSurface* Surface = nullptr; // a child window's pixels; null for a GL window
    HBITMAP Bitmap = 0;              // memory DCs only
    HPALETTE Palette = 0;
    HBRUSH Brush = 0;
};

// The tables, made on first use.
struct GdiStore {
    HandleTable<GdiBitmap> Bitmaps{HandleKind::Bitmap};
    HandleTable<GdiPalette> Palettes{HandleKind::Palette};
    HandleTable<GdiRegion> Regions{HandleKind::Region};
    HandleTable<GdiBrush> Brushes{HandleKind::Brush};
    HandleTable<GdiDc> Dcs{HandleKind::DeviceContext};
    HBITMAP DefaultBitmap = 0; // the 1 x 1 monochrome bitmap of a fresh memory DC
    HPALETTE DefaultPalette = 0;
    std::vector<HBRUSH> StockBrushes;    // WHITE_BRUSH .. NULL_BRUSH
    std::vector<HBRUSH> SysColorBrushes; // by COLOR_ index, 0 for unused indices
    std::size_t StockCount = 0;          // stock objects in the tables, not counted as live
};

GdiStore& Gdi();

// Stores a new bitmap made of Image; 0 when the table is full.
HBITMAP AddBitmap(Dib image);

// The pixels a DC draws into: a memory DC's bitmap or a child window's surface.
struct PixelTarget {
    Dib* Image = nullptr;
    PixelSurface* Surface = nullptr;
    int Width = 0;
    int Height = 0;
    std::uint32_t Get(int x, int y) const; // 0x00RRGGBB
    void Set(int x, int y, std::uint32_t rgb);
};
// The pixels of a live DC; false for a bad DC or one with nothing to draw into (GL window).
bool DcPixels(HDC dc, PixelTarget& out);

} // namespace platform
