// The TGA decoder's steps, shared by the file reader (LoadTGA) and the in-memory decoder.
#pragma once

#include "vistral/TgaReader.h"

#include <cstddef>
#include <cstdint>

namespace vistral::detail {

// Where the decoder takes its bytes from: a read routine (the open image file) or, when
// that is null, a block in memory.
struct TgaByteSource {
    // Reads Count bytes into Buffer; false when fewer arrive.
    bool (*Read)(void* buffer, std::size_t count);
    const std::uint8_t* Bytes;
    std::size_t Size;
    std::size_t Position;
};

// Reads Count bytes from Source; false when fewer arrive.
bool ReadTgaBytes(TgaByteSource& source, void* buffer, std::size_t count);

// True when the 12 bytes in TGAHeader equal Pattern.
bool TgaHeaderIs(const TTGAHeader& pattern);

// The type 2 body after the first 12 bytes: info header, one read of the pixels, blue and
// red exchanged. On failure nothing stays allocated and ImageData is null.
TGAFailure DecodeTgaUncompressed(TgaByteSource& source, TGATexture& texture);

// The type 10 body after the first 12 bytes: info header and packets through a one-pixel
// colour buffer. On failure nothing stays allocated and ImageData is null.
TGAFailure DecodeTgaCompressed(TgaByteSource& source, TGATexture& texture);

} // namespace vistral::detail
