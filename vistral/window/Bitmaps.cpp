// Bitmap loading (DIB section plus a palette) and bitmap-to-region for shaped controls.
#include "vistral/Bitmaps.h"

#include "vistral/RangeCheck.h"

#include <cstddef>
#include <cstdint>

namespace {

// ---- Loading ----------------------------------------------------------------------------

constexpr UINT BMP_LOAD_FLAGS = LR_LOADFROMFILE | LR_CREATEDIBSECTION;
constexpr int PALETTE_BITS_LIMIT = 8;

constexpr UINT PALETTE_ENTRIES = 256;

// A LOGPALETTE with room for all 256 entries.
struct TFullLogPalette {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[PALETTE_ENTRIES];
};

// A palette of the bitmap's colour table; entries the table does not fill stay black.
HPALETTE ColourTablePalette(HBITMAP bitmap) {
    RGBQUAD table[PALETTE_ENTRIES] = {};
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    GetDIBColorTable(dc, 0, PALETTE_ENTRIES, table);

    TFullLogPalette logical = {};
    logical.palVersion = PALETTE_VERSION;
    logical.palNumEntries = PALETTE_ENTRIES;
    for (UINT i = 0; i < PALETTE_ENTRIES; ++i) {
        logical.palPalEntry[i].peRed = table[i].rgbRed;
        logical.palPalEntry[i].peGreen = table[i].rgbGreen;
        logical.palPalEntry[i].peBlue = table[i].rgbBlue;
        logical.palPalEntry[i].peFlags = 0;
    }
    HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
    SelectObject(dc, previous);
    DeleteDC(dc);
    return palette;
}

// ---- Region building --------------------------------------------------------------------

constexpr DWORD RGN_HEADER_BYTES = 32;
constexpr DWORD RGN_RECT_BYTES = 16;
constexpr DWORD RGN_CAPACITY_STEP = 100;
constexpr DWORD RGN_BATCH_LIMIT = 2000;
constexpr LONG EMPTY_BOUND_LOW = 2147483647;
constexpr int CHANNEL_MAX = 255;
constexpr WORD DIB_PLANES = 1;
constexpr WORD DIB_BITS = 32;
constexpr LONG ROW_ALIGN = 4;

static_assert(sizeof(RGNDATAHEADER) == RGN_HEADER_BYTES, "RGNDATA header layout");
static_assert(sizeof(RECT) == RGN_RECT_BYTES, "RECT layout");

// The rectangle buffer: a movable global block holding an RGNDATA header and its rectangles.
struct TRectBuffer {
    HGLOBAL Memory;
    RGNDATAHEADER* Header;
    DWORD Capacity;
};

// Bytes of a buffer with room for Capacity rectangles.
DWORD BufferBytes(DWORD capacity) {
    return RGN_HEADER_BYTES + RGN_RECT_BYTES * capacity;
}

// Empties the bounding rectangle: every run added widens it.
void ResetBound(RECT& bound) {
    SetRect(&bound, EMPTY_BOUND_LOW, EMPTY_BOUND_LOW, 0, 0);
}

// Allocates and locks a buffer of the first capacity with an empty header; false when it cannot.
bool OpenBuffer(TRectBuffer& buffer) {
    buffer.Capacity = RGN_CAPACITY_STEP;
    buffer.Memory = GlobalAlloc(GMEM_MOVEABLE, BufferBytes(buffer.Capacity));
    if (buffer.Memory == 0) return false;
    buffer.Header = static_cast<RGNDATAHEADER*>(GlobalLock(buffer.Memory));
    if (buffer.Header == nullptr) {
        GlobalFree(buffer.Memory);
        buffer.Memory = 0;
        return false;
    }
    buffer.Header->dwSize = RGN_HEADER_BYTES;
    buffer.Header->iType = RDH_RECTANGLES;
    buffer.Header->nCount = 0;
    buffer.Header->nRgnSize = 0;
    ResetBound(buffer.Header->rcBound);
    return true;
}

// Grows the buffer by one step; false (buffer still valid and locked, or already freed) on failure.
bool GrowBuffer(TRectBuffer& buffer) {
    GlobalUnlock(buffer.Memory);
    DWORD capacity = buffer.Capacity + RGN_CAPACITY_STEP;
    HGLOBAL grown = GlobalReAlloc(buffer.Memory, BufferBytes(capacity), GMEM_MOVEABLE);
    if (grown == 0) {
        // The old block is still ours: lock it again so the caller frees it as usual.
        buffer.Header = static_cast<RGNDATAHEADER*>(GlobalLock(buffer.Memory));
        return false;
    }
    buffer.Memory = grown;
    buffer.Capacity = capacity;
    buffer.Header = static_cast<RGNDATAHEADER*>(GlobalLock(buffer.Memory));
    return buffer.Header != nullptr;
}

// Unlocks and frees the buffer.
void CloseBuffer(TRectBuffer& buffer) {
    if (buffer.Memory == 0) return;
    if (buffer.Header != nullptr) GlobalUnlock(buffer.Memory);
    GlobalFree(buffer.Memory);
    buffer.Memory = 0;
    buffer.Header = nullptr;
}

// Turns the gathered rectangles into a region, ORs it into Result and empties the buffer.
void FlushBuffer(TRectBuffer& buffer, HRGN& result) {
    HRGN part = ExtCreateRegion(nullptr, BufferBytes(buffer.Capacity),
                                reinterpret_cast<const RGNDATA*>(buffer.Header));
    if (result == 0) {
        result = part;
    } else {
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
    }
    buffer.Header->nCount = 0;
    ResetBound(buffer.Header->rcBound);
}

// Appends the run X0..X1 of row Y, growing and flushing the buffer as needed; false on failure.
bool AddRun(TRectBuffer& buffer, HRGN& result, LONG x0, LONG x1, LONG y) {
    if (buffer.Header->nCount >= buffer.Capacity && !GrowBuffer(buffer)) return false;
    RECT* rects =
        reinterpret_cast<RECT*>(reinterpret_cast<BYTE*>(buffer.Header) + RGN_HEADER_BYTES);
    DWORD n = buffer.Header->nCount;
    RECT& rect = rects[vistral::CheckIndex("RegionRects", n, 0,
                                           static_cast<long long>(buffer.Capacity) - 1)];
    SetRect(&rect, x0, y, x1, y + 1);
    RECT& bound = buffer.Header->rcBound;
    if (x0 < bound.left) bound.left = x0;
    if (y < bound.top) bound.top = y;
    if (x1 > bound.right) bound.right = x1;
    if (y + 1 > bound.bottom) bound.bottom = y + 1;
    buffer.Header->nCount = n + 1;
    if (buffer.Header->nCount == RGN_BATCH_LIMIT) FlushBuffer(buffer, result);
    return true;
}

// Inclusive per-channel window of colours counted as transparent.
struct TColourWindow {
    int LowRed, HighRed, LowGreen, HighGreen, LowBlue, HighBlue;
};

// The window TransColor .. TransColor + Tolerance, each high bound clamped at 255.
TColourWindow MakeWindow(COLORREF trans, BYTE tolerance) {
    auto high = [tolerance](int low) {
        int sum = low + tolerance;
        return sum > CHANNEL_MAX ? CHANNEL_MAX : sum;
    };
    TColourWindow w;
    w.LowRed = static_cast<int>(trans & 0xFF);
    w.LowGreen = static_cast<int>((trans >> 8) & 0xFF);
    w.LowBlue = static_cast<int>((trans >> 16) & 0xFF);
    w.HighRed = high(w.LowRed);
    w.HighGreen = high(w.LowGreen);
    w.HighBlue = high(w.LowBlue);
    return w;
}

// Whether a 0xXXRRGGBB working pixel lies inside the window (red, then green, then blue).
bool IsTransparent(std::uint32_t pixel, const TColourWindow& w) {
    int red = static_cast<int>((pixel >> 16) & 0xFF);
    if (red < w.LowRed || red > w.HighRed) return false;
    int green = static_cast<int>((pixel >> 8) & 0xFF);
    if (green < w.LowGreen || green > w.HighGreen) return false;
    int blue = static_cast<int>(pixel & 0xFF);
    return blue >= w.LowBlue && blue <= w.HighBlue;
}

// Scans the 32-bit copy top row first, adding one rectangle per opaque run; false on failure.
bool ScanRuns(const BYTE* bits, LONG rowBytes, LONG width, LONG height, const TColourWindow& w,
              TRectBuffer& buffer, HRGN& result) {
    // Rows are bottom-up in memory: the last one is the picture's top row.
    const BYTE* row = bits + static_cast<std::ptrdiff_t>(height - 1) * rowBytes;
    for (LONG y = 0; y < height; ++y, row -= rowBytes) {
        const std::uint32_t* pixels = reinterpret_cast<const std::uint32_t*>(row);
        LONG x = 0;
        while (x < width) {
            LONG x0 = x;
            while (x < width && !IsTransparent(pixels[x], w))
                ++x;
            if (x > x0 && !AddRun(buffer, result, x0, x, y)) return false;
            ++x;
        }
    }
    return true;
}

// Copies the loaded bitmap through its palette into the working context at (0, 0).
void CopyThroughPalette(HDC work, HBITMAP bitmap, HPALETTE palette, LONG width, LONG height) {
    HDC source = CreateCompatibleDC(0);
    HGDIOBJ previousBitmap = SelectObject(source, bitmap);
    HPALETTE previousPalette = SelectPalette(source, palette, TRUE);
    RealizePalette(source);
    BitBlt(work, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectPalette(source, previousPalette, FALSE);
    SelectObject(source, previousBitmap);
    DeleteDC(source);
}

} // namespace

// Loads a BMP file as a DIB section and gives it a palette.
HBITMAP LoadBMPFromFile(const char* FileName, HPALETTE& Pal) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), FileName, IMAGE_BITMAP, 0, 0, BMP_LOAD_FLAGS));
    if (bitmap == 0) return 0;
    BITMAP description = {};
    GetObjectA(bitmap, sizeof(description), &description);
    if (description.bmBitsPixel * description.bmPlanes > PALETTE_BITS_LIMIT) {
        HDC screen = GetDC(0);
        Pal = CreateHalftonePalette(screen);
        ReleaseDC(0, screen);
    } else {
        Pal = ColourTablePalette(bitmap);
    }
    return bitmap;
}

// Builds the region of a BMP file's pixels outside the transparent colour window.
HRGN BitmapToRegion(const char* BMPName, COLORREF TransColor, BYTE Tolerance) {
    HPALETTE palette = 0;
    HBITMAP bitmap = LoadBMPFromFile(BMPName, palette);
    if (bitmap == 0) return 0;

    HDC work = CreateCompatibleDC(0);
    if (work == 0) {
        DeleteObject(palette);
        DeleteObject(bitmap);
        return 0;
    }
    BITMAP picture = {};
    GetObjectA(bitmap, sizeof(picture), &picture);
    LONG width = picture.bmWidth;
    LONG height = picture.bmHeight;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up rows
    info.bmiHeader.biPlanes = DIB_PLANES;
    info.bmiHeader.biBitCount = DIB_BITS;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(work, &info, DIB_RGB_COLORS, &bits, 0, 0);
    if (copy == 0 || bits == nullptr || width <= 0 || height <= 0) {
        if (copy != 0) DeleteObject(copy);
        DeleteDC(work);
        DeleteObject(palette);
        DeleteObject(bitmap);
        return 0;
    }
    HGDIOBJ previous = SelectObject(work, copy);
    CopyThroughPalette(work, bitmap, palette, width, height);

    BITMAP working = {};
    GetObjectA(copy, sizeof(working), &working);
    LONG rowBytes = working.bmWidthBytes;
    // Never step less than a full row of 32-bit pixels, whatever the description says.
    LONG minimumRow = vistral::CheckedMul(width, DIB_BITS / 8, "BitmapToRegion row length");
    if (rowBytes < minimumRow) rowBytes = minimumRow;
    if (rowBytes % ROW_ALIGN != 0) rowBytes += ROW_ALIGN - rowBytes % ROW_ALIGN;

    HRGN result = 0;
    TRectBuffer buffer = {};
    bool complete = OpenBuffer(buffer);
    if (complete) {
        TColourWindow window = MakeWindow(TransColor, Tolerance);
        complete = ScanRuns(static_cast<const BYTE*>(bits), rowBytes, width, height, window, buffer,
                            result) &&
                   buffer.Header != nullptr;
        // The rest of the buffer is merged even when empty, so no opaque pixel still gives a
        // region.
        if (complete) FlushBuffer(buffer, result);
    }
    if (!complete && result != 0) {
        DeleteObject(result);
        result = 0;
    }

    CloseBuffer(buffer);
    SelectObject(work, previous);
    DeleteObject(copy);
    DeleteDC(work);
    DeleteObject(palette);
    DeleteObject(bitmap);
    return result;
}
