// Device contexts: memory DCs, window DCs for the window side, object selection.
#include "GdiObjects.h"

#include <memory>

namespace platform {

// A DC drawing into a child window's surface, or standing for a GL window (null surface).
HDC GdiCreateWindowDC(HWND window, PixelSurface* surface) {
    GdiStore& store = Gdi();
    auto dc = std::make_unique<GdiDc>();
    dc->WindowDc = true;
    dc->Window = window;
    dc->Surface = surface;
    dc->Palette = store.DefaultPalette;
    dc->Brush = store.StockBrushes[WHITE_BRUSH];
    return store.Dcs.Add(std::move(dc));
}

// The window of a window DC, 0 for memory DCs and bad handles.
HWND GdiWindowFromDC(HDC dc) {
    const GdiDc* found = Gdi().Dcs.Get(dc);
    return found && found->WindowDc ? found->Window : 0;
}

// Forgets a window DC; the palette selected into it is released from it.
void GdiDestroyWindowDC(HDC dc) {
    GdiStore& store = Gdi();
    GdiDc* found = store.Dcs.Get(dc);
    if (!found || !found->WindowDc) return;
    if (GdiPalette* palette = store.Palettes.Get(found->Palette)) --palette->SelectCount;
    store.Dcs.Remove(dc);
}

} // namespace platform

using namespace platform;

// A memory DC with the default monochrome bitmap selected.
HDC CreateCompatibleDC(HDC dc) {
    GdiStore& store = Gdi();
    if (dc != 0 && !store.Dcs.Get(dc)) return 0;
    auto made = std::make_unique<GdiDc>();
    made->Bitmap = store.DefaultBitmap;
    made->Palette = store.DefaultPalette;
    made->Brush = store.StockBrushes[WHITE_BRUSH];
    return store.Dcs.Add(std::move(made));
}

// Deletes a memory DC, releasing (not deleting) what is selected into it.
BOOL DeleteDC(HDC dc) {
    GdiStore& store = Gdi();
    GdiDc* found = store.Dcs.Get(dc);
    if (!found || found->WindowDc) return FALSE;
    if (GdiBitmap* bitmap = store.Bitmaps.Get(found->Bitmap)) {
        if (bitmap->SelectedInto == dc) bitmap->SelectedInto = 0;
    }
    if (GdiPalette* palette = store.Palettes.Get(found->Palette)) --palette->SelectCount;
    store.Dcs.Remove(dc);
    return TRUE;
}

// Selects a bitmap or brush and returns the previous one.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    GdiStore& store = Gdi();
    GdiDc* found = store.Dcs.Get(dc);
    if (!found) return 0;
    if (GdiBitmap* bitmap = store.Bitmaps.Get(object)) {
        if (found->WindowDc) return 0;
        if (found->Bitmap == object) return object;
        // One DC at a time; the shared default bitmap may sit in every memory DC.
        if (!bitmap->Stock && bitmap->SelectedInto != 0) return 0;
        const HBITMAP previous = found->Bitmap;
        if (GdiBitmap* old = store.Bitmaps.Get(previous)) {
            if (old->SelectedInto == dc) old->SelectedInto = 0;
        }
        if (!bitmap->Stock) bitmap->SelectedInto = dc;
        found->Bitmap = object;
        return previous;
    }
    if (store.Brushes.Get(object)) {
        const HBRUSH previous = found->Brush;
        found->Brush = object;
        return previous;
    }
    return 0;
}

// Selects a palette into a DC.
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL /*forceBackground*/) {
    GdiStore& store = Gdi();
    GdiDc* found = store.Dcs.Get(dc);
    GdiPalette* chosen = store.Palettes.Get(palette);
    if (!found || !chosen) return 0;
    const HPALETTE previous = found->Palette;
    if (GdiPalette* old = store.Palettes.Get(previous)) --old->SelectCount;
    ++chosen->SelectCount;
    found->Palette = palette;
    return previous;
}

// True colour: nothing to map; reports the selected palette's size.
UINT RealizePalette(HDC dc) {
    GdiStore& store = Gdi();
    const GdiDc* found = store.Dcs.Get(dc);
    if (!found) return GDI_ERROR;
    const GdiPalette* palette = store.Palettes.Get(found->Palette);
    return palette ? static_cast<UINT>(palette->Entries.size()) : 0;
}
