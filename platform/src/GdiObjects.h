// The GDI object store: bitmaps (DIB sections), palettes, regions, brushes and DCs,
// each in its own handle table, shared by the Gdi*, Bmp*, Palette* and Region* files.
#pragma once

#include "GdiInternal.h"
#include "HandleTable.h"
#include "win32/Gdi.h"

#include <cstdint>
#include <vector>

namespace platform {

// A device-independent bitmap: the pixel rows, padded to 4 bytes, bottom-up unless TopDown.
struct Dib {
    int Width = 0;
    int Height = 0; // always positive
    int BitCount = 0;
    int Stride = 0; // bytes per row
    bool TopDown = false;
    std::vector<RGBQUAD> ColorTable; // for 1, 4 and 8 bits per pixel
    // Channel masks of 16 and 32-bit pixels (5-5-5 and 8-8-8 when the image gave none).
    std::uint32_t RedMask = 0;
    std::uint32_t GreenMask = 0;
    std::uint32_t BlueMask = 0;
    std::vector<std::uint8_t> Bits;
};

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
    bool WindowDc = false;         // made by GdiCreateWindowDC
    HWND Window = 0;               // nonzero for a window DC
    PixelSurface* Surface = nullptr; // a child window's pixels; null for a GL window
    HBITMAP Bitmap = 0;            // memory DCs only
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
// Fills Masks and the row stride of a Dib whose size and depth are set; false when the
// pixel memory would exceed kMaxDibBytes.
bool FinishDibLayout(Dib& image);

// The colour (0x00RRGGBB) of pixel (X, Y), counted from the top-left, of a Dib.
std::uint32_t DibPixel(const Dib& image, int x, int y);
// Writes colour 0x00RRGGBB at (X, Y) in the Dib's own format.
void SetDibPixel(Dib& image, int x, int y, std::uint32_t rgb);

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

// Pixel memory above this is refused (a 4096 x 4096 32-bit image fits).
constexpr std::size_t kMaxDibBytes = std::size_t{64} << 20;

} // namespace platform
