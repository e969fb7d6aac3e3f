// BitBlt: block copies between memory DCs and child-window DCs, converting pixel formats.
#include "GdiObjects.h"

#include <algorithm>

namespace platform {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// The part [Lo, Hi) of a block of Size that lies inside [0, Limit) when placed at Pos.
void ClipAxis(long long pos, long long limit, long long& lo, long long& hi) {
    lo = std::max(lo, -pos);
    hi = std::min(hi, limit - pos);
}

} // namespace

} // namespace platform

using namespace platform;

// Copies (or fills, for BLACKNESS and WHITENESS) a clipped block.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    PixelTarget to;
    if (!DcPixels(dest, to)) return FALSE;
    if (width < 0 || height < 0) return FALSE;
    const bool fill = rop == BLACKNESS || rop == WHITENESS;
    PixelTarget from;
    if (!fill && (rop != SRCCOPY || !DcPixels(src, from))) return FALSE;

    long long x0 = 0, x1 = width, y0 = 0, y1 = height;
    ClipAxis(x, to.Width, x0, x1);
    ClipAxis(y, to.Height, y0, y1);
    if (!fill) {
        ClipAxis(srcX, from.Width, x0, x1);
        ClipAxis(srcY, from.Height, y0, y1);
    }
    if (x0 >= x1 || y0 >= y1) return TRUE;

    const auto w = static_cast<std::size_t>(x1 - x0);
    const auto h = static_cast<std::size_t>(y1 - y0);
    std::vector<std::uint32_t> block(w * h, rop == WHITENESS ? kWhite : kBlack);
    // Read everything first so a copy within one bitmap may overlap itself.
    if (!fill)
        for (std::size_t j = 0; j < h; ++j)
            for (std::size_t i = 0; i < w; ++i)
                block[j * w + i] =
                    from.Get(static_cast<int>(srcX + x0 + static_cast<long long>(i)),
                             static_cast<int>(srcY + y0 + static_cast<long long>(j)));
    for (std::size_t j = 0; j < h; ++j)
        for (std::size_t i = 0; i < w; ++i)
            to.Set(static_cast<int>(x + x0 + static_cast<long long>(i)),
                   static_cast<int>(y + y0 + static_cast<long long>(j)), block[j * w + i]);
    return TRUE;
}
