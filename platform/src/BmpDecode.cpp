// The BMP file decoder: headers, colour table, masks, plain and RLE pixel data.
#include "BmpDecode.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace platform {

namespace {

constexpr std::uint16_t kBmpMagic = 0x4D42; // "BM"
constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr std::uint64_t kPixelOffsetField = 10;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kV2HeaderBytes = 52; // red, green and blue masks inside the header
constexpr std::uint32_t kV3HeaderBytes = 56; // and the alpha mask
constexpr std::uint32_t kV4HeaderBytes = 108;
constexpr std::uint32_t kV5HeaderBytes = 124;
constexpr DWORD kAlphaBitfields = 6;
constexpr std::uint32_t kCoreEntryBytes = 3;
constexpr std::uint32_t kInfoEntryBytes = 4;
constexpr std::uint32_t kMaskBytes = 4;
constexpr int kMaxPalettedBits = 8;
constexpr std::uint8_t kOpaqueAlpha = 0xFF;

// RLE escape codes (the byte after a zero count).
constexpr std::uint8_t kRleEndOfLine = 0;
constexpr std::uint8_t kRleEndOfBitmap = 1;
constexpr std::uint8_t kRleDelta = 2;

// Bounds-checked little-endian reads from the file bytes.
struct ByteView {
    const std::uint8_t* Data;
    std::uint64_t Size;

    // Whether Count bytes from Offset lie inside the file.
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= Size && count <= Size - offset;
    }
    // Values at an offset the caller has checked with Has.
    std::uint16_t U16(std::uint64_t o) const {
        return static_cast<std::uint16_t>(Data[o] | (Data[o + 1] << 8));
    }
    std::uint32_t U32(std::uint64_t o) const {
        return Data[o] | (static_cast<std::uint32_t>(Data[o + 1]) << 8) |
               (static_cast<std::uint32_t>(Data[o + 2]) << 16) |
               (static_cast<std::uint32_t>(Data[o + 3]) << 24);
    }
    std::int32_t I32(std::uint64_t o) const { return static_cast<std::int32_t>(U32(o)); }
};

// What the headers say.
struct BmpHeader {
    std::int64_t Width = 0;
    std::int64_t Height = 0; // as stored: negative for top-down
    int BitCount = 0;
    DWORD Compression = BI_RGB;
    std::uint32_t ColoursUsed = 0;
    std::uint32_t Masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    bool HasMasks = false;
    std::uint64_t TableOffset = 0;
    std::uint32_t EntryBytes = kInfoEntryBytes;
};

// The depths a BMP file can have.
bool IsKnownDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Reads the 12-byte OS/2 core header.
bool ReadCoreHeader(const ByteView& file, BmpHeader& h) {
    constexpr std::uint64_t at = kFileHeaderBytes;
    h.Width = file.U16(at + 4);
    h.Height = file.U16(at + 6);
    if (file.U16(at + 8) != 1) return false; // planes
    h.BitCount = file.U16(at + 10);
    if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 24) return false;
    h.TableOffset = kFileHeaderBytes + kCoreHeaderBytes;
    h.EntryBytes = kCoreEntryBytes;
    return true;
}

// Reads a 40..124-byte info header and the masks that belong to it.
bool ReadInfoHeader(const ByteView& file, std::uint32_t headerBytes, BmpHeader& h) {
    constexpr std::uint64_t at = kFileHeaderBytes;
    h.Width = file.I32(at + 4);
    h.Height = file.I32(at + 8);
    if (file.U16(at + 12) != 1) return false; // planes
    h.BitCount = file.U16(at + 14);
    h.Compression = file.U32(at + 16);
    h.ColoursUsed = file.U32(at + 32);
    h.TableOffset = kFileHeaderBytes + headerBytes;
    if (!IsKnownDepth(h.BitCount)) return false;

    switch (h.Compression) {
    case BI_RGB:
        break;
    case BI_RLE8:
    case BI_RLE4:
        // RLE images are bottom-up only.
        if (h.BitCount != (h.Compression == BI_RLE8 ? 8 : 4) || h.Height < 0) return false;
        break;
    case BI_BITFIELDS:
    case kAlphaBitfields: {
        if (h.BitCount != 16 && h.BitCount != 32) return false;
        const std::uint32_t maskCount = h.Compression == kAlphaBitfields ? 4 : 3;
        const std::uint64_t maskAt = at + kInfoHeaderBytes;
        std::uint32_t readable = maskCount;
        if (headerBytes == kInfoHeaderBytes) {
            // The masks follow a 40-byte header, before the colour table.
            if (!file.Has(maskAt, maskCount * kMaskBytes)) return false;
            h.TableOffset += maskCount * kMaskBytes;
        } else {
            readable = headerBytes >= kV3HeaderBytes ? 4 : 3;
        }
        for (std::uint32_t i = 0; i < readable; ++i)
            h.Masks[i] = file.U32(maskAt + i * kMaskBytes);
        if (!ValidChannelMasks(h.Masks[0], h.Masks[1], h.Masks[2], h.Masks[3], h.BitCount))
            return false;
        h.HasMasks = true;
        break;
    }
    default:
        return false; // JPEG, PNG and the rest are not BMP pixel data we read
    }
    return true;
}

// Reads the colour table of a paletted image, as much of it as lies before the pixels.
bool ReadColourTable(const ByteView& file, const BmpHeader& h, std::uint64_t pixelOffset,
                     Dib& out) {
    if (h.BitCount > kMaxPalettedBits) return true;
    const std::uint32_t full = 1u << h.BitCount;
    std::uint64_t entries = (h.ColoursUsed == 0 || h.ColoursUsed > full) ? full : h.ColoursUsed;
    entries = std::min<std::uint64_t>(entries, (pixelOffset - h.TableOffset) / h.EntryBytes);
    if (entries == 0 || !file.Has(h.TableOffset, entries * h.EntryBytes)) return false;
    out.ColorTable.resize(static_cast<std::size_t>(entries));
    for (std::uint64_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = file.Data + h.TableOffset + i * h.EntryBytes;
        out.ColorTable[static_cast<std::size_t>(i)] = RGBQUAD{e[0], e[1], e[2], 0};
    }
    return true;
}

// Copies uncompressed rows, turning a top-down image over.
bool CopyRows(const ByteView& file, std::uint64_t pixelOffset, bool topDown, Dib& out) {
    const auto stride = static_cast<std::uint64_t>(out.Stride);
    const auto rows = static_cast<std::uint64_t>(out.Height);
    if (!file.Has(pixelOffset, stride * rows)) return false;
    for (std::uint64_t r = 0; r < rows; ++r) {
        const std::uint64_t from = topDown ? rows - 1 - r : r;
        std::memcpy(out.Bits.data() + r * stride, file.Data + pixelOffset + from * stride,
                    static_cast<std::size_t>(stride));
    }
    return true;
}

// Rearranges 32-bit pixels with their own masks into blue, green, red, alpha bytes.
void NormaliseMasked32(const std::uint32_t (&masks)[4], Dib& out) {
    for (std::size_t o = 0; o + 4 <= out.Bits.size(); o += 4) {
        std::uint8_t* p = out.Bits.data() + o;
        const std::uint32_t v = p[0] | (static_cast<std::uint32_t>(p[1]) << 8) |
                                (static_cast<std::uint32_t>(p[2]) << 16) |
                                (static_cast<std::uint32_t>(p[3]) << 24);
        p[0] = static_cast<std::uint8_t>(MaskedChannel(v, masks[2]));
        p[1] = static_cast<std::uint8_t>(MaskedChannel(v, masks[1]));
        p[2] = static_cast<std::uint8_t>(MaskedChannel(v, masks[0]));
        p[3] = masks[3] ? static_cast<std::uint8_t>(MaskedChannel(v, masks[3])) : kOpaqueAlpha;
    }
    out.RedMask = 0x00FF0000;
    out.GreenMask = 0x0000FF00;
    out.BlueMask = 0x000000FF;
}

// Expands RLE8 or RLE4 data into 8 or 4-bit rows. Pixels past a row's end are dropped;
// data that ends before the last row (without an end-of-bitmap code) is refused.
bool DecodeRle(const ByteView& file, std::uint64_t pos, bool fourBit, Dib& out) {
    std::int64_t x = 0;
    std::int64_t y = 0; // memory row, bottom row first
    auto put = [&](std::uint8_t index) {
        if (x < out.Width) {
            std::uint8_t* row = out.Bits.data() +
                                static_cast<std::size_t>(y) * static_cast<std::size_t>(out.Stride);
            if (fourBit) {
                std::uint8_t& cell = row[x >> 1];
                cell = (x & 1) ? static_cast<std::uint8_t>((cell & 0xF0) | index)
                               : static_cast<std::uint8_t>((cell & 0x0F) | (index << 4));
            } else {
                row[x] = index;
            }
        }
        ++x;
    };
    while (y < out.Height) {
        if (!file.Has(pos, 2)) return false;
        const std::uint8_t count = file.Data[pos];
        const std::uint8_t value = file.Data[pos + 1];
        pos += 2;
        if (count > 0) {
            // An encoded run: RLE4 alternates the two nibbles of Value.
            const auto n = std::min<std::int64_t>(count, std::max<std::int64_t>(0, out.Width - x));
            for (std::int64_t k = 0; k < n; ++k)
                put(fourBit ? static_cast<std::uint8_t>((k & 1) ? value & 0xF : value >> 4)
                            : value);
            x += count - n;
            continue;
        }
        if (value == kRleEndOfLine) {
            x = 0;
            ++y;
        } else if (value == kRleEndOfBitmap) {
            return true;
        } else if (value == kRleDelta) {
            if (!file.Has(pos, 2)) return false;
            x += file.Data[pos];
            y += file.Data[pos + 1];
            pos += 2;
        } else {
            // An absolute run of Value pixels, padded to a whole number of 16-bit words.
            const std::uint64_t bytes = fourBit ? (value + 1u) / 2 : value;
            if (!file.Has(pos, bytes)) return false;
            for (std::uint32_t k = 0; k < value; ++k) {
                const std::uint8_t b = file.Data[pos + (fourBit ? k / 2 : k)];
                put(fourBit ? static_cast<std::uint8_t>((k & 1) ? b & 0xF : b >> 4) : b);
            }
            pos += (bytes + 1) & ~std::uint64_t{1};
        }
    }
    return true;
}

} // namespace

// Decodes a whole BMP file into a bottom-up DIB.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, Dib& out) {
    if (!data) return false;
    const ByteView file{data, size};
    if (!file.Has(0, kFileHeaderBytes + 4) || file.U16(0) != kBmpMagic) return false;
    const std::uint64_t pixelOffset = file.U32(kPixelOffsetField);
    const std::uint32_t headerBytes = file.U32(kFileHeaderBytes);
    const bool core = headerBytes == kCoreHeaderBytes;
    if (!core && headerBytes != kInfoHeaderBytes && headerBytes != kV2HeaderBytes &&
        headerBytes != kV3HeaderBytes && headerBytes != kV4HeaderBytes &&
        headerBytes != kV5HeaderBytes)
        return false;
    if (!file.Has(kFileHeaderBytes, headerBytes)) return false;

    BmpHeader h;
    if (!(core ? ReadCoreHeader(file, h) : ReadInfoHeader(file, headerBytes, h))) return false;
    const bool topDown = h.Height < 0;
    const std::int64_t height = topDown ? -h.Height : h.Height;
    if (h.Width <= 0 || height <= 0 || height > std::numeric_limits<int>::max()) return false;
    if (pixelOffset < h.TableOffset || pixelOffset >= file.Size) return false;

    out = Dib{};
    out.Width = static_cast<int>(h.Width);
    out.Height = static_cast<int>(height);
    out.BitCount = h.BitCount;
    if (h.HasMasks && h.BitCount == 16) {
        out.RedMask = h.Masks[0];
        out.GreenMask = h.Masks[1];
        out.BlueMask = h.Masks[2];
    }
    if (!ReadColourTable(file, h, pixelOffset, out)) return false;
    if (!FinishDibLayout(out)) return false;

    if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4)
        return DecodeRle(file, pixelOffset, h.Compression == BI_RLE4, out);
    if (!CopyRows(file, pixelOffset, topDown, out)) return false;
    if (h.HasMasks && h.BitCount == 32) NormaliseMasked32(h.Masks, out);
    return true;
}

} // namespace platform
