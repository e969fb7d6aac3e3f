// Logical palettes, the halftone palette and DIB colour tables.
#include "GdiObjects.h"
#include "PaletteInternal.h"

#include <algorithm>
#include <memory>

namespace platform {

namespace {

constexpr int kStaticHalf = 10;
constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51; // 0, 51, ... 255
constexpr int kHalftoneGreys = 20;
constexpr int kHalftoneEntries = 256;

constexpr PALETTEENTRY kStaticColours[2 * kStaticHalf] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

// Stores a palette of the given entries.
HPALETTE AddPalette(std::vector<PALETTEENTRY> entries) {
    auto palette = std::make_unique<GdiPalette>();
    palette->Entries = std::move(entries);
    return Gdi().Palettes.Add(std::move(palette));
}

// The DIB section selected into a DC, or null.
Dib* SelectedDib(HDC dc) {
    GdiStore& store = Gdi();
    const GdiDc* found = store.Dcs.Get(dc);
    if (!found) return nullptr;
    GdiBitmap* bitmap = store.Bitmaps.Get(found->Bitmap);
    return bitmap && !bitmap->Stock ? &bitmap->Image : nullptr;
}

// How many of Count entries from Start lie inside a table of Size entries.
UINT EntriesInRange(std::size_t size, UINT start, UINT count) {
    if (start >= size) return 0;
    return static_cast<UINT>(std::min<std::size_t>(count, size - start));
}

} // namespace

// The 20 static colours.
std::vector<PALETTEENTRY> StaticPaletteColours() {
    return std::vector<PALETTEENTRY>(std::begin(kStaticColours), std::end(kStaticColours));
}

} // namespace platform

using namespace platform;

// A palette of the given entries.
HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palVersion != PALETTE_VERSION || palette->palNumEntries == 0) return 0;
    const PALETTEENTRY* first = palette->palPalEntry;
    return AddPalette(std::vector<PALETTEENTRY>(first, first + palette->palNumEntries));
}

// Static colours around a 6x6x6 cube and a grey ramp: 256 entries.
HPALETTE CreateHalftonePalette(HDC dc) {
    if (dc != 0 && !Gdi().Dcs.Get(dc)) return 0;
    std::vector<PALETTEENTRY> entries(kStaticColours, kStaticColours + kStaticHalf);
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                entries.push_back({static_cast<BYTE>(r * kCubeStep),
                                   static_cast<BYTE>(g * kCubeStep),
                                   static_cast<BYTE>(b * kCubeStep), 0});
    for (int k = 1; k <= kHalftoneGreys; ++k) {
        const auto level = static_cast<BYTE>(k * 255 / (kHalftoneGreys + 1));
        entries.push_back({level, level, level, 0});
    }
    entries.insert(entries.end(), kStaticColours + kStaticHalf, kStaticColours + 2 * kStaticHalf);
    static_assert(kStaticHalf * 2 + kCubeLevels * kCubeLevels * kCubeLevels + kHalftoneGreys ==
                  kHalftoneEntries);
    return AddPalette(std::move(entries));
}

// Copies palette entries, or tells the entry count.
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
    const GdiPalette* found = Gdi().Palettes.Get(palette);
    if (!found) return 0;
    if (!entries) return static_cast<UINT>(found->Entries.size());
    const UINT n = EntriesInRange(found->Entries.size(), start, count);
    std::copy_n(found->Entries.begin() + start, n, entries);
    return n;
}

// Reads colour-table entries of the selected DIB section.
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
    const Dib* image = SelectedDib(dc);
    if (!image || !colors) return 0;
    const UINT n = EntriesInRange(image->ColorTable.size(), start, count);
    std::copy_n(image->ColorTable.begin() + start, n, colors);
    return n;
}

// Writes colour-table entries of the selected DIB section.
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors) {
    Dib* image = SelectedDib(dc);
    if (!image || !colors) return 0;
    const UINT n = EntriesInRange(image->ColorTable.size(), start, count);
    std::copy_n(colors, n, image->ColorTable.begin() + start);
    return n;
}
