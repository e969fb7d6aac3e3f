// The TGA decoder: the info header and the two bodies, over any source of bytes. Needs
// neither a file nor a message box nor GL.
#include "TgaDecoding.h"

#include <cstdlib>
#include <cstring>

TTGAHeader TGAHeader{};
TTGA TGA{};
const TTGAHeader UTGACompare{{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
const TTGAHeader CTGACompare{{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

// The reader's own allocator: plain heap blocks.
void* HeapAllocate(std::size_t bytes) {
    return std::malloc(bytes);
}

// Gives a heap block back.
void HeapRelease(void* block) {
    std::free(block);
}

} // namespace

namespace vistral {
void* (*TGAAllocate)(std::size_t bytes) = HeapAllocate;
void (*TGARelease)(void* block) = HeapRelease;
} // namespace vistral

namespace {

using vistral::TGAFailure;

constexpr std::uint32_t GL_RGB_FORMAT = 0x1907;
constexpr std::uint32_t GL_RGBA_FORMAT = 0x1908;
constexpr std::uint32_t BITS_24 = 24;
constexpr std::uint32_t BITS_32 = 32;
constexpr std::uint32_t BITS_PER_BYTE = 8;
constexpr std::size_t FILE_HEADER_SIZE = sizeof(TTGAHeader::Header);
constexpr std::size_t INFO_HEADER_SIZE = sizeof(TTGA::Header);
// Header bytes from 128 up start a run-length packet of (header - 127) pixels.
constexpr std::uint8_t FIRST_RUN_HEADER = 128;
constexpr unsigned RUN_BIAS = 127;
constexpr std::uint64_t LARGEST_IMAGE_SIZE = 0xFFFFFFFFu;

constexpr const char* CAPTION_ERROR = "ERROR";
constexpr const char* CAPTION_INVALID_IMAGE = "Invalid Image";

std::size_t BlocksInUse = 0;

using vistral::detail::ReadTgaBytes;
using vistral::detail::TgaByteSource;

// A new block of Bytes bytes from the reader's allocator; null when there is no memory.
std::uint8_t* NewBlock(std::size_t bytes) {
    void* block = vistral::TGAAllocate(bytes);
    if (block != nullptr) ++BlocksInUse;
    return static_cast<std::uint8_t*>(block);
}

// Releases a block handed out by NewBlock (null is allowed) and clears the pointer.
void FreeBlock(std::uint8_t*& block) {
    if (block == nullptr) return;
    vistral::TGARelease(block);
    --BlocksInUse;
    block = nullptr;
}

// Reads the 6-byte info header common to both body readers and allocates the image.
TGAFailure ReadInfoHeader(TgaByteSource& source, TGATexture& texture) {
    if (!ReadTgaBytes(source, TGA.Header, INFO_HEADER_SIZE)) return TGAFailure::InfoHeader;
    texture.Width = TGA.Header[1] * 256u + TGA.Header[0];
    texture.Height = TGA.Header[3] * 256u + TGA.Header[2];
    texture.Bpp = TGA.Header[4];
    TGA.Width = texture.Width;
    TGA.Heigh = texture.Height;
    TGA.Bpp = texture.Bpp;
    if (texture.Width == 0 || texture.Height == 0 ||
        (texture.Bpp != BITS_24 && texture.Bpp != BITS_32))
        return TGAFailure::InvalidInformation;
    texture.Typ = texture.Bpp == BITS_24 ? GL_RGB_FORMAT : GL_RGBA_FORMAT;
    TGA.BytesPerPixel = texture.Bpp / BITS_PER_BYTE;
    // Computed wide so that a size beyond 32 bits is refused, never allocated short.
    const std::uint64_t imageSize =
        std::uint64_t{texture.Width} * TGA.BytesPerPixel * texture.Height;
    if (imageSize > LARGEST_IMAGE_SIZE) {
        TGA.ImageSize = 0;
        return TGAFailure::ImageMemory;
    }
    TGA.ImageSize = static_cast<std::uint32_t>(imageSize);
    texture.ImageData = NewBlock(TGA.ImageSize);
    if (texture.ImageData == nullptr) return TGAFailure::ImageMemory;
    return TGAFailure::None;
}

} // namespace

namespace vistral::detail {

// Reads from the block in memory, or through the source's read routine.
bool ReadTgaBytes(TgaByteSource& source, void* buffer, std::size_t count) {
    if (source.Read != nullptr) return source.Read(buffer, count);
    const std::size_t left = source.Size - source.Position;
    const std::size_t taken = count < left ? count : left;
    if (taken > 0) std::memcpy(buffer, source.Bytes + source.Position, taken);
    source.Position += taken;
    return taken == count;
}

// Compares the 12 bytes last read with a pattern.
bool TgaHeaderIs(const TTGAHeader& pattern) {
    return std::memcmp(TGAHeader.Header, pattern.Header, FILE_HEADER_SIZE) == 0;
}

// The type 2 body: one read of the whole image, then blue and red exchanged in place.
TGAFailure DecodeTgaUncompressed(TgaByteSource& source, TGATexture& texture) {
    const TGAFailure header = ReadInfoHeader(source, texture);
    if (header != TGAFailure::None) return header;
    if (!ReadTgaBytes(source, texture.ImageData, TGA.ImageSize)) {
        FreeBlock(texture.ImageData);
        return TGAFailure::ImageData;
    }
    const std::size_t step = TGA.BytesPerPixel;
    for (std::size_t at = 0; at < TGA.ImageSize; at += step) {
        const std::uint8_t blue = texture.ImageData[at];
        texture.ImageData[at] = texture.ImageData[at + 2];
        texture.ImageData[at + 2] = blue;
    }
    return TGAFailure::None;
}

// The type 10 body: packets decoded through a one-pixel colour buffer, counting pixels only.
TGAFailure DecodeTgaCompressed(TgaByteSource& source, TGATexture& texture) {
    const TGAFailure header = ReadInfoHeader(source, texture);
    if (header != TGAFailure::None) return header;
    const std::size_t bytesPerPixel = TGA.BytesPerPixel;
    const std::size_t pixelCount = std::size_t{texture.Width} * texture.Height;
    std::size_t currentPixel = 0;
    std::size_t currentByte = 0;
    std::uint8_t* colorBuffer = NewBlock(bytesPerPixel);
    if (colorBuffer == nullptr) {
        FreeBlock(texture.ImageData);
        return TGAFailure::ColorBufferMemory;
    }
    auto fail = [&](TGAFailure failure) {
        FreeBlock(texture.ImageData);
        FreeBlock(colorBuffer);
        return failure;
    };
    // Stores the buffered pixel as red, green, blue (alpha); false when the image is full.
    auto storePixel = [&]() {
        if (currentPixel == pixelCount) return false;
        std::uint8_t* out = texture.ImageData + currentByte;
        out[0] = colorBuffer[2];
        out[1] = colorBuffer[1];
        out[2] = colorBuffer[0];
        if (bytesPerPixel == 4) out[3] = colorBuffer[3];
        currentByte += bytesPerPixel;
        ++currentPixel;
        return true;
    };
    while (currentPixel != pixelCount) {
        std::uint8_t chunkHeader = 0;
        if (!ReadTgaBytes(source, &chunkHeader, 1)) return fail(TGAFailure::RleHeader);
        if (chunkHeader < FIRST_RUN_HEADER) {
            for (unsigned n = 0; n <= chunkHeader; ++n) {
                if (!ReadTgaBytes(source, colorBuffer, bytesPerPixel))
                    return fail(TGAFailure::RawPixel);
                if (!storePixel()) return fail(TGAFailure::TooManyPixels);
            }
        } else {
            if (!ReadTgaBytes(source, colorBuffer, bytesPerPixel))
                return fail(TGAFailure::RunColor);
            for (unsigned n = 0; n < chunkHeader - RUN_BIAS; ++n)
                if (!storePixel()) return fail(TGAFailure::TooManyPixels);
        }
    }
    FreeBlock(colorBuffer);
    return TGAFailure::None;
}

} // namespace vistral::detail

namespace vistral {

// The message text of each failure.
const char* TGAFailureText(TGAFailure failure) {
    switch (failure) {
    case TGAFailure::None:
        return "";
    case TGAFailure::CannotOpen:
        return "Could not open texture file";
    case TGAFailure::FileHeader:
        return "Could not read file header";
    case TGAFailure::WrongType:
        return "TGA file be type 2 or type 10";
    case TGAFailure::InfoHeader:
        return "Could not read info header";
    case TGAFailure::InvalidInformation:
        return "Invalid texture information";
    case TGAFailure::ImageMemory:
        return "Could not allocate memory for image";
    case TGAFailure::ImageData:
        return "Could not read image data";
    case TGAFailure::ColorBufferMemory:
        return "Could not allocate memory for color buffer";
    case TGAFailure::RleHeader:
        return "Could not read RLE header";
    case TGAFailure::RawPixel:
        return "Could not read image data";
    case TGAFailure::RunColor:
        return "Could not read from file";
    case TGAFailure::TooManyPixels:
        return "Too many pixels read";
    }
    return "";
}

// The caption of each failure: only a file of the wrong kind has its own.
const char* TGAFailureCaption(TGAFailure failure) {
    if (failure == TGAFailure::None) return "";
    return failure == TGAFailure::WrongType ? CAPTION_INVALID_IMAGE : CAPTION_ERROR;
}

// Decodes a file image held in memory: the same steps as LoadTGA, without messages.
TGAFailure DecodeTGA(const std::uint8_t* bytes, std::size_t size, TGATexture& texture) {
    texture.ImageData = nullptr;
    detail::TgaByteSource memory{nullptr, bytes, bytes == nullptr ? 0 : size, 0};
    if (!detail::ReadTgaBytes(memory, TGAHeader.Header, FILE_HEADER_SIZE))
        return TGAFailure::FileHeader;
    if (detail::TgaHeaderIs(UTGACompare)) return detail::DecodeTgaUncompressed(memory, texture);
    if (detail::TgaHeaderIs(CTGACompare)) return detail::DecodeTgaCompressed(memory, texture);
    return TGAFailure::WrongType;
}

// Frees an image's pixel memory and clears the pointer.
void ReleaseTGAImage(TGATexture& texture) {
    FreeBlock(texture.ImageData);
}

// Blocks handed out and not yet released.
std::size_t TGABlocksInUse() {
    return BlocksInUse;
}

} // namespace vistral
