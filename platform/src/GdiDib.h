// Device-independent bitmaps in memory: layout and pixel access in every bit depth.
// Plain data, no handles: the BMP decoder and its tests use it without the GDI store.
#pragma once

#include "win32/Gdi.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Pixel memory above this is refused (a 4096 x 4096 32-bit image fits).
constexpr std::size_t kMaxDibBytes = std::size_t{64} << 20;

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

// Sets the default masks (when none are set), the row stride and zeroed pixel memory of a
// Dib whose size and depth are set; false for a bad size or one above kMaxDibBytes.
bool FinishDibLayout(Dib& image);

// The colour (0x00RRGGBB) of pixel (X, Y), counted from the top-left, of a Dib.
std::uint32_t DibPixel(const Dib& image, int x, int y);
// The channel of a pixel that Mask selects, scaled to 0..255 (0 for an empty mask).
std::uint32_t MaskedChannel(std::uint32_t pixel, std::uint32_t mask);
// Red, green and blue masks (and an optional alpha mask, 0 for none) are usable when each
// is a contiguous run of bits inside a pixel of BitCount bits and none overlap.
bool ValidChannelMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                       std::uint32_t alpha, int bitCount);
// Writes colour 0x00RRGGBB at (X, Y) in the Dib's own format.
void SetDibPixel(Dib& image, int x, int y, std::uint32_t rgb);

} // namespace platform
