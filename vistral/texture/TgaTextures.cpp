// The TGA texture slots: read with LoadTGA, upload, release the pixel memory.
#include "vistral/TgaTextures.h"

#include "SlotTextures.h"
#include "vistral/BmpTextures.h"
#include "win32/Kernel.h"

#include <GL/gl.h>
#include <GL/glu.h>

vistral::RangeArray<TGATexture, 0, 200, "TextureTGA2"> TextureTGA2{};

namespace {

constexpr std::uint32_t BITS_PER_BYTE = 8;
constexpr std::uint32_t GL_ROW_ALIGNMENT = 4;
constexpr GLint PACKED_ROW_ALIGNMENT = 1;

} // namespace

// Reads a TGA file into slot Num and turns it into a texture object; silent for a missing file.
void TextureLoadTGAID(const char* TGAFile, std::int32_t Num) {
    if (TGAFile == nullptr || !FileExistsA(TGAFile)) return;
    TGATexture& slot = TextureTGA2[Num];
    if (!LoadTGA(slot, TGAFile)) return;

    const GLint components = static_cast<GLint>(slot.Bpp / BITS_PER_BYTE);
    const GLsizei width = static_cast<GLsizei>(slot.Width);
    const GLsizei height = static_cast<GLsizei>(slot.Height);
    // The reader's rows lie back to back; GL's default alignment of 4 fits them only when
    // a row is a whole number of 4-byte units.
    const bool packedRows = (slot.Width * (slot.Bpp / BITS_PER_BYTE)) % GL_ROW_ALIGNMENT != 0;
    GLint previousAlignment = 0;

    glEnable(GL_TEXTURE_2D);
    vistral::detail::ReleaseReplacedTexture(slot.TexID);
    glGenTextures(1, &slot.TexID);
    glBindTexture(GL_TEXTURE_2D, slot.TexID);
    if (packedRows) {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, PACKED_ROW_ALIGNMENT);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, slot.Typ, GL_UNSIGNED_BYTE,
                 slot.ImageData);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_Min_Filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_Mag_Filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (vistral::detail::IsMipmapFilter(GL_Min_Filter))
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, slot.Typ, GL_UNSIGNED_BYTE,
                          slot.ImageData);
    if (packedRows) glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    vistral::ReleaseTGAImage(slot);
}

// Binds the texture of a TGA slot; GL_TEXTURE_2D is neither enabled nor disabled.
void TextureTGASelectID(std::int32_t Num) {
    glBindTexture(GL_TEXTURE_2D, TextureTGA2[Num].TexID);
}
