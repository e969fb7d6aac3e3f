// The TGA file reader: type 2 (uncompressed) and type 10 (run-length encoded) true-colour
// images of 24 or 32 bits become pixel memory in red, green, blue (alpha) order.
//
// Every failure shows exactly one message box (caption "ERROR", or "Invalid Image" for a
// file of the wrong kind) and gives false; the file is then closed and no memory stays
// allocated. Rows stay in file order: the descriptor's origin bits are not honoured, so a
// top-left-origin image comes out upside down. The reader keeps its state in the globals
// below and must not be entered again while it runs.
//
// Decisions of this engine:
// - An image whose size BytesPerPixel x Width x Height does not fit in 32 bits is refused
//   before any allocation with "Could not allocate memory for image" (caption "ERROR").
// - A read the operating system fails counts as a read that delivered no bytes, so it gives
//   the message of a file cut short at that point.
// - File names are used up to their first 255 characters; a null name opens nothing.
#pragma once

#include "vistral/Types.h"
#include "win32/Types.h"

#include <cstddef>
#include <cstdint>

// An image in memory, with its size, depth, GL pixel format and texture name.
struct TGATexture {
    std::uint8_t*
        ImageData;        // Width x Height pixels of Bpp / 8 bytes, red first; the caller frees it
    std::uint32_t Bpp;    // 24 or 32
    std::uint32_t Width;  // 1 to 65535
    std::uint32_t Height; // 1 to 65535
    std::uint32_t TexID;  // GL texture name; the reader never touches it
    std::uint32_t Typ;    // GL_RGB (0x1907) for 24 bits, GL_RGBA (0x1908) for 32 bits
};

// The first 12 bytes of an image file.
struct TTGAHeader {
    std::uint8_t Header[12];
};

// The reader's working record.
struct TTGA {
    std::uint8_t Header[6];      // bytes 12 to 17 of the image file
    std::uint32_t BytesPerPixel; // 3 or 4
    std::uint32_t ImageSize;     // BytesPerPixel x Width x Height
    std::uint32_t Typ;           // not filled by the reader
    std::uint32_t Heigh;         // height in pixels
    std::uint32_t Width;         // width in pixels
    std::uint32_t Bpp;           // bits per pixel
};

// The last image read: its first 12 bytes and its working record.
extern TTGAHeader TGAHeader;
extern TTGA TGA;
// The image file being read; INVALID_HANDLE_VALUE while none is open.
extern HANDLE FTGA;
// The two accepted 12-byte starts: type 2 and type 10, no ID, no colour map, origin 0.
extern const TTGAHeader UTGACompare;
extern const TTGAHeader CTGACompare;

// Reads the TGA file FileName into Texture. On true, ImageData, Bpp, Width, Height and Typ
// describe the image and the caller releases ImageData (vistral::ReleaseTGAImage). On false,
// one message box has been shown, ImageData is null and the file is closed.
bool LoadTGA(TGATexture& Texture, const char* FileName);

namespace vistral {

// Why a read failed; each kind has its fixed message text and caption.
enum class TGAFailure {
    None,
    CannotOpen,         // "Could not open texture file"
    FileHeader,         // "Could not read file header"
    WrongType,          // "TGA file be type 2 or type 10", caption "Invalid Image"
    InfoHeader,         // "Could not read info header"
    InvalidInformation, // "Invalid texture information"
    ImageMemory,        // "Could not allocate memory for image" (also: size beyond 32 bits)
    ImageData,          // "Could not read image data" (type 2 pixels)
    ColorBufferMemory,  // "Could not allocate memory for color buffer"
    RleHeader,          // "Could not read RLE header"
    RawPixel,           // "Could not read image data" (a raw packet cut short)
    RunColor,           // "Could not read from file"
    TooManyPixels,      // "Too many pixels read"
};

// The message text shown for a failure (empty for None).
const char* TGAFailureText(TGAFailure failure);
// The message caption shown for a failure: "Invalid Image" or "ERROR" (empty for None).
const char* TGAFailureCaption(TGAFailure failure);

// Decodes a whole TGA file held in memory, exactly as LoadTGA reads it from disk, but shows
// no message and needs neither a file nor GL. Updates TGAHeader and TGA, never FTGA. On
// None the caller owns Texture.ImageData; otherwise ImageData is null and nothing stays
// allocated.
TGAFailure DecodeTGA(const std::uint8_t* bytes, std::size_t size, TGATexture& texture);

// Frees the pixel memory of an image read by this reader and sets ImageData to null.
void ReleaseTGAImage(TGATexture& texture);

// Where the reader takes its memory blocks from and gives them back (heap blocks, as
// std::malloc and std::free give them, unless replaced). A null block counts as no memory. Tests
// replace the pair to simulate a lack of memory or to guard the bytes after a block.
extern void* (*TGAAllocate)(std::size_t bytes);
extern void (*TGARelease)(void* block);
// How many blocks the reader has handed out and not yet seen released (for leak checks).
std::size_t TGABlocksInUse();

} // namespace vistral
