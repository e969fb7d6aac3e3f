// The pixels behind a DC: a memory DC's selected bitmap or a child window's surface.
#include "GdiObjects.h"

#include <algorithm>

namespace platform {

// A DC's pixels: the selected bitmap, or the window surface as far as it holds pixels.
bool DcPixels(HDC dc, PixelTarget& out) {
    GdiStore& store = Gdi();
    const GdiDc* found = store.Dcs.Get(dc);
    if (!found) return false;
    out = PixelTarget{};
    if (found->WindowDc) {
        PixelSurface* surface = found->Surface;
        if (!surface || surface->Width <= 0 || surface->Height <= 0) return false;
        const std::size_t rows = surface->Pixels.size() / static_cast<std::size_t>(surface->Width);
        out.Surface = surface;
        out.Width = surface->Width;
        out.Height = static_cast<int>(
            std::min<std::size_t>(rows, static_cast<std::size_t>(surface->Height)));
        return out.Height > 0;
    }
    GdiBitmap* bitmap = store.Bitmaps.Get(found->Bitmap);
    if (!bitmap) return false;
    out.Image = &bitmap->Image;
    out.Width = bitmap->Image.Width;
    out.Height = bitmap->Image.Height;
    return true;
}

// A pixel of the target as 0x00RRGGBB.
std::uint32_t PixelTarget::Get(int x, int y) const {
    if (Image) return DibPixel(*Image, x, y);
    return Surface->Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Surface->Width) +
                           static_cast<std::size_t>(x)] &
           0x00FFFFFF;
}

// Writes a pixel; surface pixels become opaque.
void PixelTarget::Set(int x, int y, std::uint32_t rgb) {
    constexpr std::uint32_t kOpaque = 0xFF000000;
    if (Image) {
        SetDibPixel(*Image, x, y, rgb);
        return;
    }
    Surface->Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Surface->Width) +
                    static_cast<std::size_t>(x)] = kOpaque | (rgb & 0x00FFFFFF);
}

} // namespace platform
