// CreateDIBSection: bitmaps made by the program, with their own pixel memory.
#include "GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace platform {

namespace {

constexpr DWORD kInfoHeaderBytes = sizeof(BITMAPINFOHEADER); // 40
constexpr int kMaxPalettedBits = 8;

// The depths a DIB section can have.
bool IsSectionDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

} // namespace platform

using namespace platform;

// A zero-filled DIB section described by Info.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD /*offset*/) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section != 0) return 0;
    if (dc != 0 && !Gdi().Dcs.Get(dc)) return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < kInfoHeaderBytes || h.biPlanes != 1 || !IsSectionDepth(h.biBitCount)) return 0;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == std::numeric_limits<LONG>::min())
        return 0;

    Dib image;
    image.Width = h.biWidth;
    image.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    image.TopDown = h.biHeight < 0;
    image.BitCount = h.biBitCount;
    // The colour table or the masks follow the header, wherever its size puts them.
    const auto* after = reinterpret_cast<const std::uint8_t*>(info) + h.biSize;
    if (h.biCompression == BI_BITFIELDS) {
        if (h.biBitCount != 16 && h.biBitCount != 32) return 0;
        std::uint32_t masks[3];
        std::memcpy(masks, after, sizeof masks);
        if (!ValidChannelMasks(masks[0], masks[1], masks[2], 0, h.biBitCount)) return 0;
        image.RedMask = masks[0];
        image.GreenMask = masks[1];
        image.BlueMask = masks[2];
    } else if (h.biCompression != BI_RGB) {
        return 0;
    }
    if (h.biBitCount <= kMaxPalettedBits) {
        const DWORD full = 1u << h.biBitCount;
        const DWORD entries = (h.biClrUsed == 0 || h.biClrUsed > full) ? full : h.biClrUsed;
        image.ColorTable.resize(entries);
        std::memcpy(image.ColorTable.data(), after, entries * sizeof(RGBQUAD));
    }
    if (!FinishDibLayout(image)) return 0;
    const HBITMAP made = AddBitmap(std::move(image));
    if (made && bits) *bits = Gdi().Bitmaps.Get(made)->Image.Bits.data();
    return made;
}
