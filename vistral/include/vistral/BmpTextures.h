// BMP textures and the BMP texture slots, with the filter settings and the mip-map
// routine that every texture load (BMP or TGA) shares.
//
// No failure of a BMP load is reported: a missing name, a folder, a file that does not
// begin with "BM", an OS/2 core-header image or a depth other than 24 or 32 leaves the slot
// with a texture object that has its parameters set and no image.
//
// Decisions of this engine:
// - GetBMPDepth gives 0 for a file shorter than its two headers (54 bytes) and for a file
//   the operating system fails to read.
// - The blue/red exchange of a 24-bit image follows its rows, so rows padded to 4 bytes
//   (a width that is not a multiple of 4) keep their padding and upload with the right rows.
// - An image is uploaded only when the loaded bitmap's own depth equals the probe's, so GL
//   never reads past the bitmap's pixels.
// - A second load into a slot deletes the texture object the slot held before, unless
//   another slot of either table still holds that name; the slot then gets a fresh name.
#pragma once

#include "vistral/RangeCheck.h"
#include "vistral/Types.h"

#include <cstdint>

// The BMP texture slots 0 to 500: GL texture names, 0 (GL's default texture) until loaded.
extern vistral::RangeArray<std::uint32_t, 0, 500, "TextureID2"> TextureID2;
// The minifying filter given to every texture loaded afterwards; a mip-map filter here
// also makes the loaders build mip-maps. Initially GL_LINEAR (0x2601).
extern std::int32_t GL_Min_Filter;
// The magnifying filter given to every texture loaded afterwards. Initially GL_LINEAR.
extern std::int32_t GL_Mag_Filter;

// Bits per pixel of a BMP file (1, 4, 8, 16, 24, 32), or 0 for a missing name, a folder,
// a file not beginning with "BM", an OS/2 core header or a file shorter than its headers.
// The existence test takes the whole name; the file read is named by its first 255 characters.
std::int32_t GetBMPDepth(const char* BMPFile);

// Exchanges the first and third byte of each of Size packed 3-byte pixels in place.
// A Size of 0 or less does nothing.
void SwapRGB(std::uint8_t* Data, std::int32_t Size);

// Builds mip-maps for the bound GL_TEXTURE_2D: Format 24 takes red, green, blue bytes,
// Format 32 takes blue, green, red, alpha; any other Format does nothing. Needs a GL context.
void AddMipmapsTexture(std::int32_t Format, std::int32_t Width, std::int32_t Height,
                       const std::uint8_t* Bits);

// Makes a texture object from a BMP file in slot Num (0 to 500, else a range error).
// Afterwards GL_TEXTURE_2D is enabled, the new texture is bound and the unpack state is
// alignment 4, row length 0, no skipped rows or pixels. Needs a GL context.
void TextureLoadID(const char* BMPFile, std::int32_t Num);

// Binds the texture of slot Num (0 to 500, else a range error) to GL_TEXTURE_2D.
void TextureSelectID(std::int32_t Num);
