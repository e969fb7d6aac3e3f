// DIB layout and pixel access in every bit depth, the common ground of BitBlt and FillRect.
#include "GdiDib.h"

#include <bit>

namespace platform {

namespace {

constexpr std::uint32_t kRed555 = 0x7C00;
constexpr std::uint32_t kGreen555 = 0x03E0;
constexpr std::uint32_t kBlue555 = 0x001F;
constexpr std::uint32_t kRed888 = 0x00FF0000;
constexpr std::uint32_t kGreen888 = 0x0000FF00;
constexpr std::uint32_t kBlue888 = 0x000000FF;
constexpr int kRowAlignBits = 32;

// An 8-bit channel value placed under Mask.
std::uint32_t ChannelToMask(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t max = mask >> shift;
    return static_cast<std::uint32_t>(((value * max + 127) / 255) << shift) & mask;
}

// The byte offset of row Y (counted from the top) in the pixel memory.
std::size_t RowOffset(const Dib& image, int y) {
    const int row = image.TopDown ? y : image.Height - 1 - y;
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(image.Stride);
}

// The colour-table index nearest to an 0x00RRGGBB colour.
std::uint32_t NearestIndex(const Dib& image, std::uint32_t rgb) {
    const int r = static_cast<int>((rgb >> 16) & 0xFF);
    const int g = static_cast<int>((rgb >> 8) & 0xFF);
    const int b = static_cast<int>(rgb & 0xFF);
    std::uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < image.ColorTable.size(); ++i) {
        const RGBQUAD& c = image.ColorTable[i];
        const int dr = c.rgbRed - r;
        const int dg = c.rgbGreen - g;
        const int db = c.rgbBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint32_t>(i);
        }
    }
    return best;
}

// Little-endian 16 and 32-bit pixels.
std::uint32_t Read16(const std::uint8_t* p) {
    return p[0] | (static_cast<std::uint32_t>(p[1]) << 8);
}
std::uint32_t Read32(const std::uint8_t* p) {
    return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

// The channel Mask selects, scaled to 0..255.
std::uint32_t MaskedChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t max = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint32_t>((value * 255 + max / 2) / max);
}

// Contiguous, non-overlapping masks inside the pixel; alpha may be 0.
bool ValidChannelMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                       std::uint32_t alpha, int bitCount) {
    const std::uint64_t limit = bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    if (red == 0 || green == 0 || blue == 0) return false;
    std::uint32_t seen = 0;
    for (const std::uint32_t m : {red, green, blue, alpha}) {
        if (m == 0) continue;
        const std::uint32_t shifted = m >> std::countr_zero(m);
        if ((shifted & (shifted + 1)) != 0 || m > limit || (seen & m) != 0) return false;
        seen |= m;
    }
    return true;
}

// Sets default masks and the stride, and makes zeroed pixel memory.
bool FinishDibLayout(Dib& image) {
    if (image.Width <= 0 || image.Height <= 0) return false;
    if (image.BitCount == 16 && image.RedMask == 0 && image.GreenMask == 0 && image.BlueMask == 0) {
        image.RedMask = kRed555;
        image.GreenMask = kGreen555;
        image.BlueMask = kBlue555;
    }
    if (image.BitCount == 32 && image.RedMask == 0 && image.GreenMask == 0 && image.BlueMask == 0) {
        image.RedMask = kRed888;
        image.GreenMask = kGreen888;
        image.BlueMask = kBlue888;
    }
    const std::uint64_t rowBits = static_cast<std::uint64_t>(image.Width) * image.BitCount;
    const std::uint64_t stride = (rowBits + kRowAlignBits - 1) / kRowAlignBits * 4;
    const std::uint64_t total = stride * static_cast<std::uint64_t>(image.Height);
    if (stride == 0 || total > kMaxDibBytes) return false;
    image.Stride = static_cast<int>(stride);
    image.Bits.assign(static_cast<std::size_t>(total), 0);
    return true;
}

// The colour of pixel (X, Y) as 0x00RRGGBB.
std::uint32_t DibPixel(const Dib& image, int x, int y) {
    const std::uint8_t* row = image.Bits.data() + RowOffset(image, y);
    std::uint32_t index = 0;
    switch (image.BitCount) {
    case 1:
        index = (row[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case 4:
        index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
        break;
    case 8:
        index = row[x];
        break;
    case 16: {
        const std::uint32_t p = Read16(row + 2 * x);
        return (MaskedChannel(p, image.RedMask) << 16) | (MaskedChannel(p, image.GreenMask) << 8) |
               MaskedChannel(p, image.BlueMask);
    }
    case 24: {
        const std::uint8_t* p = row + 3 * x;
        return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) |
               p[0];
    }
    case 32: {
        const std::uint32_t p = Read32(row + 4 * x);
        return (MaskedChannel(p, image.RedMask) << 16) | (MaskedChannel(p, image.GreenMask) << 8) |
               MaskedChannel(p, image.BlueMask);
    }
    default:
        return 0;
    }
    if (index >= image.ColorTable.size()) return 0; // an index past the table reads black
    const RGBQUAD& c = image.ColorTable[index];
    return (static_cast<std::uint32_t>(c.rgbRed) << 16) |
           (static_cast<std::uint32_t>(c.rgbGreen) << 8) | c.rgbBlue;
}

// Writes a colour at (X, Y) in the Dib's format (nearest table entry for paletted ones).
void SetDibPixel(Dib& image, int x, int y, std::uint32_t rgb) {
    std::uint8_t* row = image.Bits.data() + RowOffset(image, y);
    const std::uint32_t r = (rgb >> 16) & 0xFF;
    const std::uint32_t g = (rgb >> 8) & 0xFF;
    const std::uint32_t b = rgb & 0xFF;
    switch (image.BitCount) {
    case 1: {
        const auto bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
        std::uint8_t& cell = row[x >> 3];
        cell = NearestIndex(image, rgb) ? (cell | bit) : (cell & ~bit);
        break;
    }
    case 4: {
        std::uint8_t& cell = row[x >> 1];
        const std::uint32_t index = NearestIndex(image, rgb) & 0xF;
        cell = (x & 1) ? static_cast<std::uint8_t>((cell & 0xF0) | index)
                       : static_cast<std::uint8_t>((cell & 0x0F) | (index << 4));
        break;
    }
    case 8:
        row[x] = static_cast<std::uint8_t>(NearestIndex(image, rgb));
        break;
    case 16: {
        const std::uint32_t p = ChannelToMask(r, image.RedMask) |
                                ChannelToMask(g, image.GreenMask) |
                                ChannelToMask(b, image.BlueMask);
        row[2 * x] = static_cast<std::uint8_t>(p);
        row[2 * x + 1] = static_cast<std::uint8_t>(p >> 8);
        break;
    }
    case 24:
        row[3 * x] = static_cast<std::uint8_t>(b);
        row[3 * x + 1] = static_cast<std::uint8_t>(g);
        row[3 * x + 2] = static_cast<std::uint8_t>(r);
        break;
    case 32: {
        // Bits outside the three masks (the fourth byte) are written as 0.
        const std::uint32_t p = ChannelToMask(r, image.RedMask) |
                                ChannelToMask(g, image.GreenMask) |
                                ChannelToMask(b, image.BlueMask);
        for (int k = 0; k < 4; ++k)
            row[4 * x + k] = static_cast<std::uint8_t>(p >> (8 * k));
        break;
    }
    default:
        break;
    }
}

} // namespace platform
