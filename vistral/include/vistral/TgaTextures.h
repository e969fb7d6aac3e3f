// The TGA texture slots: TGA images read by LoadTGA become GL textures in numbered slots.
//
// A missing file is silent and touches nothing; a file the reader refuses shows the
// reader's single message box and leaves the slot's TexID as it was. The pixel memory is
// released right after the upload, so a loaded slot holds no image bytes.
//
// Decisions of this engine:
// - An image whose rows are not a whole number of 4-byte units (24 bits with a width that
//   is not a multiple of 4) is uploaded, mip-maps included, with GL_UNPACK_ALIGNMENT 1, and
//   the previous alignment is restored afterwards; other images leave the unpack state alone.
// - A second successful load into a slot deletes the texture object the slot held before,
//   unless another slot of either table still holds that name; the slot gets a fresh name.
#pragma once

#include "vistral/RangeCheck.h"
#include "vistral/TgaReader.h"
#include "vistral/Types.h"

#include <cstdint>

// The TGA texture slots 0 to 200; every field 0 until a slot's first successful load.
extern vistral::RangeArray<TGATexture, 0, 200, "TextureTGA2"> TextureTGA2;

// Reads TGAFile into slot Num (0 to 200, else a range error; a missing file is tested
// first and returns silently) and makes its texture object. Afterwards GL_TEXTURE_2D is
// enabled and the new texture is bound. Needs a GL context.
void TextureLoadTGAID(const char* TGAFile, std::int32_t Num);

// Binds the texture of slot Num (0 to 200, else a range error) to GL_TEXTURE_2D.
void TextureTGASelectID(std::int32_t Num);
