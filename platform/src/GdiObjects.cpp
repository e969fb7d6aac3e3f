// The GDI object store: stock objects, object descriptions, deletion and the live count.
#include "GdiObjects.h"
#include "PaletteInternal.h"

#include <cstring>
#include <memory>

namespace platform {

namespace {

constexpr BYTE kGreyLevels[] = {0xFF, 0xC0, 0x80, 0x40, 0x00}; // WHITE .. BLACK_BRUSH
constexpr int kUnusedSysColor = 25;                            // no system colour has this index

// Fills a new store with its stock objects.
void MakeStockObjects(GdiStore& store) {
    Dib mono;
    mono.Width = 1;
    mono.Height = 1;
    mono.BitCount = 1;
    mono.ColorTable = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{0xFF, 0xFF, 0xFF, 0}};
    FinishDibLayout(mono);
    mono.Bits.assign(static_cast<std::size_t>(mono.Stride), 0);
    auto bitmap = std::make_unique<GdiBitmap>();
    bitmap->Image = std::move(mono);
    bitmap->Stock = true;
    store.DefaultBitmap = store.Bitmaps.Add(std::move(bitmap));

    auto palette = std::make_unique<GdiPalette>();
    palette->Entries = StaticPaletteColours();
    palette->Stock = true;
    store.DefaultPalette = store.Palettes.Add(std::move(palette));

    for (BYTE level : kGreyLevels) {
        auto brush = std::make_unique<GdiBrush>();
        brush->Color = RGB(level, level, level);
        brush->Stock = true;
        store.StockBrushes.push_back(store.Brushes.Add(std::move(brush)));
    }
    auto nullBrush = std::make_unique<GdiBrush>();
    nullBrush->Null = true;
    nullBrush->Stock = true;
    store.StockBrushes.push_back(store.Brushes.Add(std::move(nullBrush)));

    for (int index = 0; index <= COLOR_MENUBAR; ++index) {
        HBRUSH handle = 0;
        if (index != kUnusedSysColor) {
            auto brush = std::make_unique<GdiBrush>();
            brush->Color = GetSysColor(index);
            brush->Stock = true;
            handle = store.Brushes.Add(std::move(brush));
        }
        store.SysColorBrushes.push_back(handle);
    }
    store.StockCount = 0;
    store.Bitmaps.ForEach([&](HANDLE, const GdiBitmap&) { ++store.StockCount; });
    store.Palettes.ForEach([&](HANDLE, const GdiPalette&) { ++store.StockCount; });
    store.Brushes.ForEach([&](HANDLE, const GdiBrush&) { ++store.StockCount; });
}

// Fills Out with the BITMAP record of a bitmap.
void DescribeBitmap(const Dib& image, BITMAP& out) {
    out.bmType = 0;
    out.bmWidth = image.Width;
    out.bmHeight = image.Height;
    out.bmWidthBytes = image.Stride;
    out.bmPlanes = 1;
    out.bmBitsPixel = static_cast<WORD>(image.BitCount);
    out.bmBits = const_cast<std::uint8_t*>(image.Bits.data());
}

} // namespace

// The store, with its stock objects made on first use.
GdiStore& Gdi() {
    static GdiStore* store = [] {
        auto* made = new GdiStore;
        MakeStockObjects(*made);
        return made;
    }();
    return *store;
}

// Stores a new bitmap made of Image.
HBITMAP AddBitmap(Dib image) {
    auto bitmap = std::make_unique<GdiBitmap>();
    bitmap->Image = std::move(image);
    return Gdi().Bitmaps.Add(std::move(bitmap));
}

} // namespace platform

using namespace platform;

// Copies a bitmap's or palette's description.
int GetObjectA(HGDIOBJ object, int size, LPVOID out) {
    GdiStore& store = Gdi();
    if (const GdiBitmap* bitmap = store.Bitmaps.Get(object)) {
        constexpr int kBytes = static_cast<int>(sizeof(BITMAP));
        if (!out) return kBytes;
        if (size < kBytes) return 0;
        BITMAP description{};
        DescribeBitmap(bitmap->Image, description);
        std::memcpy(out, &description, sizeof description);
        return kBytes;
    }
    if (const GdiPalette* palette = store.Palettes.Get(object)) {
        constexpr int kBytes = static_cast<int>(sizeof(WORD));
        if (!out) return kBytes;
        if (size < kBytes) return 0;
        const WORD count = static_cast<WORD>(palette->Entries.size());
        std::memcpy(out, &count, sizeof count);
        return kBytes;
    }
    return 0;
}

// Releases a GDI object unless it is a stock object or still selected.
BOOL DeleteObject(HGDIOBJ object) {
    GdiStore& store = Gdi();
    if (GdiBitmap* bitmap = store.Bitmaps.Get(object)) {
        if (bitmap->Stock) return TRUE;
        if (bitmap->SelectedInto != 0) return FALSE;
        store.Bitmaps.Remove(object);
        return TRUE;
    }
    if (GdiPalette* palette = store.Palettes.Get(object)) {
        if (palette->Stock) return TRUE;
        if (palette->SelectCount > 0) return FALSE;
        store.Palettes.Remove(object);
        return TRUE;
    }
    if (GdiBrush* brush = store.Brushes.Get(object)) {
        if (brush->Stock) return TRUE;
        // A brush selected into a DC is simply forgotten by it.
        store.Dcs.ForEach([&](HANDLE, GdiDc& dc) {
            if (dc.Brush == object) dc.Brush = store.StockBrushes[WHITE_BRUSH];
        });
        store.Brushes.Remove(object);
        return TRUE;
    }
    if (store.Regions.Remove(object)) return TRUE;
    return FALSE;
}

// A stock brush or the default palette.
HGDIOBJ GetStockObject(int object) {
    GdiStore& store = Gdi();
    if (object >= WHITE_BRUSH && object <= NULL_BRUSH)
        return store.StockBrushes[static_cast<std::size_t>(object)];
    if (object == DEFAULT_PALETTE) return store.DefaultPalette;
    return 0;
}

// Live objects made by the program, without stock objects and window DCs.
std::size_t GdiObjectCount() {
    GdiStore& store = Gdi();
    std::size_t windowDcs = 0;
    store.Dcs.ForEach([&](HANDLE, const GdiDc& dc) {
        if (dc.WindowDc) ++windowDcs;
    });
    return store.Bitmaps.LiveCount() + store.Palettes.LiveCount() + store.Regions.LiveCount() +
           store.Brushes.LiveCount() + store.Dcs.LiveCount() - store.StockCount - windowDcs;
}
